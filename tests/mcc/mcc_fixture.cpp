#include "mcc_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cairo.h>

#include <emul/emulinterface.h>

#include "tests/support/wmf_builder.h"

namespace mcc_test {

namespace {

IPTR partner_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  auto* told = *static_cast<Told**>(INST_DATA(cl, obj));
  switch (msg->MethodID) {
    case OM_NEW: {
      obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, msg));
      if (obj) *static_cast<Told**>(INST_DATA(cl, obj)) = new Told;
      return reinterpret_cast<IPTR>(obj);
    }
    case OM_DISPOSE: delete told; return DoSuperMethodA(cl, obj, msg);
    case OM_SET:
      for (struct TagItem* tag = reinterpret_cast<struct opSet*>(msg)->ops_AttrList; tag->ti_Tag; tag++)
        told->emplace_back(tag->ti_Tag, tag->ti_Data);
      return DoSuperMethodA(cl, obj, msg);
    case MUIM_Vellum_TargetPixels:
      told->emplace_back(MUIM_Vellum_TargetPixels,
                         reinterpret_cast<IPTR>(reinterpret_cast<struct MUIP_Vellum_TargetPixels*>(msg)->Pixels));
      return 0;
    default: return DoSuperMethodA(cl, obj, msg);
  }
}
const struct EmulLibEntry PARTNER_GATE = {TRAP_LIB, 0, reinterpret_cast<void (*)(void)>(partner_dispatcher)};

}  // namespace

Partner::Partner() {
  mcc_ = MUI_CreateCustomClass(nullptr, MUIC_Notify, nullptr, sizeof(Told*),
                               const_cast<struct EmulLibEntry*>(&PARTNER_GATE));
  if (mcc_) object_ = NewObject(mcc_->mcc_Class, nullptr, TAG_DONE);
}

Partner::~Partner() {
  DisposeObject(object_);
  MUI_DeleteCustomClass(mcc_);
}

const Told& Partner::told() const { return **static_cast<Told**>(INST_DATA(mcc_->mcc_Class, object_)); }

// The tests unload vellum.mcc between cases; holding cairo in the test
// program keeps cairo and pixman loaded, so their start-up allocations
// stay reachable instead of being reported as leaks at unload.
[[maybe_unused]] const int CAIRO_HELD = cairo_version();

std::string scratch_folder() {
  std::string folder = "/tmp/vellum-mcc-test-" + std::to_string(getpid());
  mkdir(folder.c_str(), 0700);
  return folder;
}

std::string write_half_red_picture(const std::string& name, int width, int height) {
  vellum::test::WmfBuilder wmf;
  wmf.placeable(0, 0, width, height)
      .set_window_ext(width, height)
      .create_pen(0, 1, 255, 0, 0)
      .create_brush(0, 255, 0, 0)
      .rectangle(0, 0, width / 2, height);
  std::string path = scratch_folder() + "/" + name;
  EXPECT_TRUE(wmf.write_to(path));
  return path;
}

}  // namespace mcc_test
