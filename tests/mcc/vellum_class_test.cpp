// vellum.mcc as a class library and as a class: lifetime of the class,
// the query entry, creation, attributes and the partner object.
#include <cstring>
#include <filesystem>
#include <fstream>

#include <host/path.h>
#include <host/runtime.h>

#include "mcc_fixture.h"

namespace {

using namespace mcc_test;

using ClassQueryFunc = struct MUI_CustomClass* (*)(LONG);
ClassQueryFunc class_query(struct Library* base) {
  return reinterpret_cast<ClassQueryFunc>(LIB_VECTOR(base, -30));
}

TEST_F(VellumTest, TheClassLivesExactlyWhileTheLibraryHasOpeners) {
  struct Library* base = OpenLibrary("MUI/vellum.mcc", 0);
  ASSERT_NE(base, nullptr);
  EXPECT_STREQ(base->lib_Node.ln_Name, "vellum.mcc");
  EXPECT_EQ(base->lib_Version, 1);
  EXPECT_STREQ(static_cast<const char*>(base->lib_IdString), "$VER: vellum.mcc 01.00 (05.05.18)");
  ClassQueryFunc query = class_query(base);
  struct MUI_CustomClass* first = query(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(query(1), nullptr);
  EXPECT_EQ(first->mcc_Module, base);

  CloseLibrary(base);
  EXPECT_EQ(query(0), nullptr);  // deleted with the last close; the code is still loaded

  ASSERT_EQ(OpenLibrary("MUI/vellum.mcc", 0), base);
  struct MUI_CustomClass* second = query(0);
  ASSERT_NE(second, nullptr);
  Object* obj = NewObject(second->mcc_Class, nullptr, TAG_DONE);
  ASSERT_NE(obj, nullptr);
  DisposeObject(obj);
  CloseLibrary(base);
  HostFlushLibraries();  // expunge: the next test loads the module afresh
  EXPECT_EQ(FindName(&SysBase->LibList, "vellum.mcc"), nullptr);
}

TEST_F(VellumTest, WithoutMuimasterTheLibraryDoesNotOpen) {
  HostHideLibrary("muimaster.library", 1);
  struct Library* base = OpenLibrary("MUI/vellum.mcc", 0);
  HostHideLibrary("muimaster.library", 0);
  EXPECT_EQ(base, nullptr);
  auto* listed = reinterpret_cast<struct Library*>(FindName(&SysBase->LibList, "vellum.mcc"));
  ASSERT_NE(listed, nullptr);
  EXPECT_EQ(listed->lib_OpenCnt, 0);
  HostFlushLibraries();
}

TEST_F(VellumTest, AWideBoxIsFittedToTwoHundredPixels) {
  std::string path = write_half_red_picture("wide.wmf", 400, 100);
  Object* obj = MUI_NewObject(MUIC_Vellum, MUIA_Vellum_File, path.c_str(), TAG_DONE);
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(get(obj, MUIA_Vellum_Width), 200);
  EXPECT_EQ(get(obj, MUIA_Vellum_Height), 50);
  EXPECT_STREQ(reinterpret_cast<const char*>(get(obj, MUIA_Vellum_File)), path.c_str());
  EXPECT_EQ(get(obj, MUIA_Version), 1);
  EXPECT_EQ(get(obj, MUIA_Revision), 0);
  EXPECT_EQ(get(obj, MUIA_FillArea), TRUE);  // asked of Area.mui at creation
  ASSERT_NE(instance(obj)->Picture.Pixels, nullptr);
  // Left half red, right half untouched (transparent).
  const auto* pixels = static_cast<const uint32_t*>(instance(obj)->Picture.Pixels);
  EXPECT_EQ(pixels[25 * 200 + 50], RED);
  EXPECT_EQ(pixels[25 * 200 + 150], 0u);
  MUI_DisposeObject(obj);
}

TEST_F(VellumTest, NamesOnAVolumeAreFoundThroughTheAssigns) {
  std::string path = write_half_red_picture("on-ram.wmf", 400, 100);
  std::string ram = host_path_of("RAM:vellum-mcc-on-ram.wmf");
  ASSERT_FALSE(ram.empty());
  std::filesystem::copy_file(path, ram, std::filesystem::copy_options::overwrite_existing);
  for (const char* name : {"RAM:vellum-mcc-on-ram.wmf", "ram:vellum-mcc-on-ram.wmf"}) {
    Object* obj = MUI_NewObject(MUIC_Vellum, MUIA_Vellum_File, name, TAG_DONE);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(get(obj, MUIA_Vellum_Width), 200) << name;
    EXPECT_EQ(get(obj, MUIA_Vellum_Height), 50) << name;
    EXPECT_STREQ(reinterpret_cast<const char*>(get(obj, MUIA_Vellum_File)), name) << "the name stays as given";
    MUI_DisposeObject(obj);
  }
  std::filesystem::remove(ram);
  // An unknown volume is no file, not a relative path.
  Object* obj = MUI_NewObject(MUIC_Vellum, MUIA_Vellum_File, "NOSUCHVOLUME:on-ram.wmf", TAG_DONE);
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(instance(obj)->Picture.Pixels, nullptr);
  MUI_DisposeObject(obj);
}

TEST_F(VellumTest, ThePartnerHearsWidthThenHeightThenPixels) {
  Partner partner;
  ASSERT_NE(partner.object(), nullptr);
  std::string path = write_half_red_picture("partner.wmf", 400, 100);
  Object* obj =
      MUI_NewObject(MUIC_Vellum, MUIA_Vellum_Target, partner.object(), MUIA_Vellum_File, path.c_str(), TAG_DONE);
  ASSERT_NE(obj, nullptr);
  Told expected = {{MUIA_Vellum_TargetWidth, 200},
                   {MUIA_Vellum_TargetHeight, 50},
                   {MUIM_Vellum_TargetPixels, reinterpret_cast<IPTR>(instance(obj)->Picture.Pixels)}};
  EXPECT_EQ(partner.told(), expected);
  EXPECT_NE(instance(obj)->Picture.Pixels, nullptr);
  MUI_DisposeObject(obj);
}

TEST_F(VellumTest, AnUnreadableOrUndrawableFileGivesAnObjectWithoutAPicture) {
  // A file without the placeable header: the exact player draws nothing.
  std::string plain = write_half_red_picture("not-placeable.wmf", 400, 100);
  std::fstream(plain, std::ios::in | std::ios::out | std::ios::binary).put('\0');
  for (const std::string& path : {std::string("/nonexistent/picture.wmf"), plain}) {
    Partner partner;
    Object* obj = MUI_NewObject(MUIC_Vellum, MUIA_Vellum_Target, partner.object(), MUIA_Vellum_File,
                                path.c_str(), TAG_DONE);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(instance(obj)->Picture.Pixels, nullptr) << path;
    Told expected = {{MUIA_Vellum_TargetWidth, 0}, {MUIA_Vellum_TargetHeight, 0}, {MUIM_Vellum_TargetPixels, 0}};
    EXPECT_EQ(partner.told(), expected) << path;
    MUI_DisposeObject(obj);
  }
  // No name at all renders nothing either.
  Object* obj = MUI_NewObject(MUIC_Vellum, TAG_DONE);
  ASSERT_NE(obj, nullptr);
  EXPECT_STREQ(reinterpret_cast<const char*>(get(obj, MUIA_Vellum_File)), "");
  EXPECT_EQ(instance(obj)->Picture.Pixels, nullptr);
  MUI_DisposeObject(obj);
}

TEST_F(VellumTest, SettingAShorterNameKeepsThePicture) {
  std::string path = write_half_red_picture("a-rather-longer-picture-name.wmf", 400, 100);
  Object* obj = MUI_NewObject(MUIC_Vellum, MUIA_Vellum_File, path.c_str(), TAG_DONE);
  ASSERT_NE(obj, nullptr);
  void* pixels = instance(obj)->Picture.Pixels;
  ASSERT_NE(pixels, nullptr);
  std::vector<uint8_t> before(static_cast<uint8_t*>(pixels), static_cast<uint8_t*>(pixels) + 200 * 50 * 4);

  SetAttrs(obj, MUIA_Vellum_File, "short.wmf", TAG_DONE);
  EXPECT_STREQ(reinterpret_cast<const char*>(get(obj, MUIA_Vellum_File)), "short.wmf");
  EXPECT_EQ(instance(obj)->Picture.Pixels, pixels);
  EXPECT_EQ(std::memcmp(pixels, before.data(), before.size()), 0);
  EXPECT_EQ(get(obj, MUIA_Vellum_Width), 200);
  EXPECT_EQ(get(obj, MUIA_Vellum_Height), 50);
  MUI_DisposeObject(obj);
}

TEST_F(VellumTest, NamesLongerThanTheFieldAreRefusedNotCut) {
  std::string exact(151, 'a'), over(152, 'b');
  Object* obj = MUI_NewObject(MUIC_Vellum, MUIA_Vellum_File, over.c_str(), TAG_DONE);
  ASSERT_NE(obj, nullptr);
  EXPECT_STREQ(reinterpret_cast<const char*>(get(obj, MUIA_Vellum_File)), "");
  SetAttrs(obj, MUIA_Vellum_File, exact.c_str(), TAG_DONE);
  EXPECT_EQ(reinterpret_cast<const char*>(get(obj, MUIA_Vellum_File)), exact);
  SetAttrs(obj, MUIA_Vellum_File, over.c_str(), TAG_DONE);
  EXPECT_EQ(reinterpret_cast<const char*>(get(obj, MUIA_Vellum_File)), exact);
  MUI_DisposeObject(obj);
}

TEST_F(VellumTest, WithoutCairoOrCybergraphicsObjectsComeWithoutAPicture) {
  std::string path = write_half_red_picture("nolib.wmf", 400, 100);
  for (const char* missing : {"cairo.library", "cybergraphics.library"}) {
    Partner partner;
    HostHideLibrary(missing, 1);
    Object* obj =
        MUI_NewObject(MUIC_Vellum, MUIA_Vellum_Target, partner.object(), MUIA_Vellum_File, path.c_str(), TAG_DONE);
    HostHideLibrary(missing, 0);
    ASSERT_NE(obj, nullptr) << missing;
    EXPECT_EQ(instance(obj)->Picture.Pixels, nullptr) << missing;
    EXPECT_EQ(partner.told().size(), 3u) << missing;
    struct MUI_MinMax minMax = {};
    DoMethod(obj, MUIM_AskMinMax, &minMax);
    EXPECT_EQ(minMax.MaxWidth, 0) << missing;
    MUI_DisposeObject(obj);
  }
}

}  // namespace
