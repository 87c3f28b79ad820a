// The object system: instance slices, method routing, attributes, and the
// lifetime rules of classes.
#include <gtest/gtest.h>

#include <proto/intuition.h>
#include <proto/utility.h>

#include <cstdio>
#include <vector>

namespace {

constexpr ULONG ATTR_COUNT = 0x1001;  // I S G on the base class
constexpr ULONG ATTR_LABEL = 0x2001;  // G on the subclass
constexpr ULONG METHOD_WHO = 0x3001;
constexpr ULONG METHOD_SUM = 0x3002;

struct BaseData {
  IPTR count;
};
struct SubData {
  char label[12];
};

std::vector<const char*> calls;  // dispatchers in the order they ran

IPTR base_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: {
      calls.push_back("base new");
      obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, msg));
      if (obj) {
        auto* set = reinterpret_cast<struct opSet*>(msg);
        static_cast<BaseData*>(INST_DATA(cl, obj))->count = GetTagData(ATTR_COUNT, 7, set->ops_AttrList);
      }
      return reinterpret_cast<IPTR>(obj);
    }
    case OM_SET: {
      auto* set = reinterpret_cast<struct opSet*>(msg);
      if (struct TagItem* tag = FindTagItem(ATTR_COUNT, set->ops_AttrList)) {
        static_cast<BaseData*>(INST_DATA(cl, obj))->count = tag->ti_Data;
        return 1;
      }
      return DoSuperMethodA(cl, obj, msg);
    }
    case OM_GET: {
      auto* get = reinterpret_cast<struct opGet*>(msg);
      if (get->opg_AttrID != ATTR_COUNT) return DoSuperMethodA(cl, obj, msg);
      *get->opg_Storage = static_cast<BaseData*>(INST_DATA(cl, obj))->count;
      return TRUE;
    }
    case METHOD_WHO: calls.push_back("base who"); return 1;
    case METHOD_SUM: {
      const IPTR* words = reinterpret_cast<const IPTR*>(msg);
      return words[1] + words[2] + words[3];
    }
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

IPTR sub_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW:
      calls.push_back("sub new");
      obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, msg));
      if (obj) std::snprintf(static_cast<SubData*>(INST_DATA(cl, obj))->label, 12, "sub");
      return reinterpret_cast<IPTR>(obj);
    case OM_GET: {
      auto* get = reinterpret_cast<struct opGet*>(msg);
      if (get->opg_AttrID != ATTR_LABEL) return DoSuperMethodA(cl, obj, msg);
      *get->opg_Storage = reinterpret_cast<IPTR>(static_cast<SubData*>(INST_DATA(cl, obj))->label);
      return TRUE;
    }
    case METHOD_WHO: calls.push_back("sub who"); return 2;
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

class ObjectSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    base_ = MakeClass(nullptr, ROOTCLASS, nullptr, sizeof(BaseData), 0);
    ASSERT_NE(base_, nullptr);
    SetClassDispatcher(base_, base_dispatcher);
    sub_ = MakeClass(nullptr, nullptr, base_, sizeof(SubData), 0);
    ASSERT_NE(sub_, nullptr);
    SetClassDispatcher(sub_, sub_dispatcher);
  }
  void TearDown() override {
    EXPECT_TRUE(FreeClass(sub_));
    EXPECT_TRUE(FreeClass(base_));
  }
  struct IClass* base_ = nullptr;
  struct IClass* sub_ = nullptr;
};

TEST_F(ObjectSystem, EachClassOwnsItsSliceAfterItsSuperclass) {
  EXPECT_EQ(base_->cl_InstOffset, 0);
  EXPECT_GE(sub_->cl_InstOffset, sizeof(BaseData));
  EXPECT_EQ(sub_->cl_InstOffset % sizeof(IPTR), 0u);
  Object* obj = NewObject(sub_, nullptr, ATTR_COUNT, 42, TAG_DONE);
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(OCLASS(obj), sub_);
  // OM_NEW runs down the chain from the class asked for.
  EXPECT_EQ(calls, (std::vector<const char*>{"sub new", "base new"}));
  IPTR value = 0;
  EXPECT_TRUE(GetAttr(ATTR_COUNT, obj, &value));
  EXPECT_EQ(value, 42);
  EXPECT_TRUE(GetAttr(ATTR_LABEL, obj, &value));
  EXPECT_STREQ(reinterpret_cast<const char*>(value), "sub");
  EXPECT_EQ(sub_->cl_ObjectCount, 1u);
  DisposeObject(obj);
  EXPECT_EQ(sub_->cl_ObjectCount, 0u);
}

TEST_F(ObjectSystem, AttributesUnknownAlongTheChainAreNotRecognised) {
  Object* obj = NewObject(sub_, nullptr, TAG_DONE);
  ASSERT_NE(obj, nullptr);
  IPTR value = 0x55;
  EXPECT_EQ(GetAttr(0x9999, obj, &value), 0u);
  EXPECT_EQ(value, 0x55);
  EXPECT_TRUE(GetAttr(ATTR_COUNT, obj, &value));
  EXPECT_EQ(value, 7);  // the default of OM_NEW
  EXPECT_EQ(SetAttrs(obj, ATTR_COUNT, 3, TAG_DONE), 1u);
  EXPECT_TRUE(GetAttr(ATTR_COUNT, obj, &value));
  EXPECT_EQ(value, 3);
  DisposeObject(obj);
}

TEST_F(ObjectSystem, MethodsRouteToTheClassTheSuperclassOrAGivenClass) {
  Object* obj = NewObject(sub_, nullptr, TAG_DONE);
  ASSERT_NE(obj, nullptr);
  calls.clear();
  EXPECT_EQ(DoMethod(obj, METHOD_WHO), 2);
  EXPECT_EQ(DoSuperMethod(sub_, obj, METHOD_WHO), 1);
  EXPECT_EQ(CoerceMethod(base_, obj, METHOD_WHO), 1);
  EXPECT_EQ(calls, (std::vector<const char*>{"sub who", "base who", "base who"}));
  // Arguments arrive as one word each, in order, through the subclass.
  EXPECT_EQ(DoMethod(obj, METHOD_SUM, 100, 20, 3), 123);
  DisposeObject(obj);
}

TEST_F(ObjectSystem, ClassesStayWhileObjectsOrSubclassesNeedThem) {
  Object* obj = NewObject(sub_, nullptr, TAG_DONE);
  ASSERT_NE(obj, nullptr);
  EXPECT_FALSE(FreeClass(sub_));   // an object is alive
  EXPECT_FALSE(FreeClass(base_));  // a subclass is alive
  DisposeObject(obj);
}

TEST(ObjectSystemRefusals, UnknownClassesAndOversizedDataMakeNothing) {
  EXPECT_EQ(NewObject(nullptr, "no such class", TAG_DONE), nullptr);
  EXPECT_EQ(MakeClass(nullptr, "no such class", nullptr, 4, 0), nullptr);
  EXPECT_EQ(MakeClass(nullptr, ROOTCLASS, nullptr, 0x10000, 0), nullptr);
  EXPECT_EQ(DoMethod(nullptr, METHOD_WHO), 0);
  DisposeObject(nullptr);
}

TEST(ObjectSystemRefusals, PublicClassesAreFoundByNameUntilRemoved) {
  struct IClass* cl = MakeClass("test.public", ROOTCLASS, nullptr, 8, 0);
  ASSERT_NE(cl, nullptr);
  SetClassDispatcher(cl, base_dispatcher);
  AddClass(cl);
  Object* obj = NewObject(nullptr, "test.public", TAG_DONE);
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(OCLASS(obj), cl);
  DisposeObject(obj);
  RemoveClass(cl);
  EXPECT_EQ(NewObject(nullptr, "test.public", TAG_DONE), nullptr);
  EXPECT_TRUE(FreeClass(cl));
}

}  // namespace
