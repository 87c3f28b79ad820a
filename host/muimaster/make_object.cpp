// MUI_MakeObject: the ready-made objects applications ask for by kind:
// labels, pop-up buttons and menu strips from a NewMenu table.
#include <proto/muimaster.h>

#include "mui_internal.h"

namespace {

const char ALIGN_RIGHT[] = "\033r", ALIGN_LEFT[] = "\033l", ALIGN_CENTER[] = "\033c";

// A label is a text without weight, right-aligned unless asked otherwise.
Object* make_label(CONST_STRPTR text, ULONG flags) {
  CONST_STRPTR align = (flags & MUIO_Label_LeftAligned) ? ALIGN_LEFT
                       : (flags & MUIO_Label_Centered)  ? ALIGN_CENTER
                                                        : ALIGN_RIGHT;
  return MUI_NewObject(MUIC_Text, MUIA_Text_PreParse, align, MUIA_Text_Contents, text, MUIA_Weight, 0, TAG_DONE);
}

Object* make_pop_button(IPTR image) {
  return MUI_NewObject(MUIC_Image, MUIA_Image_Spec, image, MUIA_Frame, MUIV_Frame_ImageButton, MUIA_Background,
                       MUII_ButtonBack, TAG_DONE);
}

// With the command-key check, a label "O\0Open" means the item "Open"
// with the shortcut "O" (the form localised menu tables use).
void split_command_key(CONST_STRPTR* label, CONST_STRPTR* key) {
  CONST_STRPTR text = *label;
  if (!text || text == NM_BARLABEL || !text[0] || text[1]) return;
  *key = text;
  *label = text + 2;
}

// A menu strip from the table up to its NM_END entry. Items before the
// first title have no menu to go in and make the table unusable.
Object* make_menustrip(const struct NewMenu* table, ULONG flags) {
  if (!table) return nullptr;
  Object* strip = MUI_NewObject(MUIC_Menustrip, TAG_DONE);
  Object* menu = nullptr;
  for (const struct NewMenu* entry = table; strip && entry->nm_Type != NM_END; entry++) {
    CONST_STRPTR label = entry->nm_Label, key = entry->nm_CommKey;
    if (flags & MUIO_MenustripNM_CommandKeyCheck) split_command_key(&label, &key);
    IPTR user_data = reinterpret_cast<IPTR>(entry->nm_UserData);
    Object* made = nullptr;
    Object* holder = nullptr;
    if (entry->nm_Type == NM_TITLE) {
      made = menu = MUI_NewObject(MUIC_Menu, MUIA_Menu_Title, label, MUIA_UserData, user_data, TAG_DONE);
      holder = strip;
    } else if (entry->nm_Type == NM_ITEM && menu) {
      made = MUI_NewObject(MUIC_Menuitem, MUIA_Menuitem_Title, label, MUIA_Menuitem_Shortcut, key, MUIA_UserData,
                           user_data, TAG_DONE);
      holder = menu;
    }
    if (!made || !DoMethod(holder, OM_ADDMEMBER, made)) {
      MUI_DisposeObject(made);
      MUI_DisposeObject(strip);
      strip = nullptr;
    }
  }
  return strip;
}

}  // namespace

extern "C" Object* MUI_MakeObjectA(LONG type, IPTR* params) {
  if (!params) return nullptr;
  switch (type) {
    case MUIO_Label: return make_label(reinterpret_cast<CONST_STRPTR>(params[0]), ULONG(params[1]));
    case MUIO_PopButton: return make_pop_button(params[0]);
    case MUIO_MenustripNM:
      return make_menustrip(reinterpret_cast<const struct NewMenu*>(params[0]), ULONG(params[1]));
    default: return nullptr;
  }
}
