#include <gtest/gtest.h>

#include <proto/utility.h>

#include <vector>

namespace {

std::vector<Tag> walk(struct TagItem* list) {
  std::vector<Tag> seen;
  struct TagItem* state = list;
  while (struct TagItem* item = NextTagItem(&state)) seen.push_back(item->ti_Tag);
  EXPECT_EQ(state, nullptr);
  return seen;
}

TEST(NextTagItem, FollowsMoreSkipsIgnoreAndSkip) {
  struct TagItem tail[] = {{TAG_USER + 9, 90}, {TAG_DONE, 0}};
  struct TagItem list[] = {{TAG_USER + 1, 10},
                           {TAG_IGNORE, 0},
                           {TAG_SKIP, 2},
                           {TAG_USER + 2, 20},
                           {TAG_USER + 3, 30},
                           {TAG_USER + 4, 40},
                           {TAG_MORE, reinterpret_cast<IPTR>(tail)},
                           {TAG_USER + 5, 50}};
  EXPECT_EQ(walk(list), (std::vector<Tag>{TAG_USER + 1, TAG_USER + 4, TAG_USER + 9}));
}

TEST(NextTagItem, EmptyAndNullLists) {
  struct TagItem empty[] = {{TAG_DONE, 0}};
  EXPECT_TRUE(walk(empty).empty());
  struct TagItem more_null[] = {{TAG_MORE, 0}};
  EXPECT_TRUE(walk(more_null).empty());
  EXPECT_EQ(NextTagItem(nullptr), nullptr);
}

TEST(GetTagData, FindsFirstMatchOrDefault) {
  struct TagItem list[] = {{TAG_USER + 1, 10}, {TAG_USER + 1, 11}, {TAG_DONE, 0}};
  EXPECT_EQ(GetTagData(TAG_USER + 1, 5, list), 10);
  EXPECT_EQ(GetTagData(TAG_USER + 2, 5, list), 5);
  EXPECT_EQ(GetTagData(TAG_USER + 2, 7, nullptr), 7);
  EXPECT_EQ(FindTagItem(TAG_USER + 1, list), &list[0]);
}

}  // namespace
