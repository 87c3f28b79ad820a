// The two panels MUI itself offers every application: "About MUI" and
// the settings window. They are plain message boxes owned by Qt, shown
// without blocking the input loop and deleted when closed.
#include <QMessageBox>

#include "mui_internal.h"

namespace host::mui {

namespace {

QString application_title(Object* app) {
  IPTR title = 0;
  GetAttr(MUIA_Application_Title, app, &title);
  return title ? QString::fromLatin1(reinterpret_cast<const char*>(title)) : QStringLiteral("This program");
}

void show_panel(QWidget* owner, const QString& title, const QString& text) {
  auto* box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, owner);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setModal(false);
  box->show();
}

}  // namespace

void show_about_mui(Object* app, Object* refwindow) {
  show_panel(window_widget(refwindow), QStringLiteral("About MUI"),
             application_title(app) + QStringLiteral(" uses MUI, drawn here with Qt ") +
                 QString::fromLatin1(qVersion()) + QStringLiteral(" widgets."));
}

void show_config_window(Object* app) {
  show_panel(nullptr, QStringLiteral("MUI settings"),
             application_title(app) +
                 QStringLiteral(" takes its look from the Qt style and palette of the desktop; "
                                "there are no MUI settings of its own to change."));
}

}  // namespace host::mui
