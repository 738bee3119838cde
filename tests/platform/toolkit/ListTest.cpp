// TList: the order and kind of Notify calls, and index errors.
#include <toolkit/List.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int a, b, c, d;  // addresses to store

// Logs each notification as "<item><+|x|->", where the item is a letter and the mark is added, extracted or
// deleted, and whether the item was in the list when the notification came.
class TRecordingList : public TList {
    TOOLKIT_CLASS(TRecordingList, TList)

public:
    ~TRecordingList() override { Clear(); }
    std::vector<std::string> Log;

protected:
    void Notify(void* item, TListNotification action) override {
        std::string name = item == &a ? "a" : item == &b ? "b" : item == &c ? "c" : item == &d ? "d" : "?";
        std::string mark = action == lnAdded ? "+" : action == lnExtracted ? "x" : "-";
        Log.push_back(name + mark + (IndexOf(item) >= 0 ? " in" : " out"));
    }
};

}  // namespace

TEST(List, NotifiesAfterEachChangeAndNeverForNil) {
    TRecordingList list;
    EXPECT_EQ(0, list.Add(&a));
    list.Add(nullptr);
    list.Insert(0, &b);
    list.Insert(3, &c);
    ASSERT_EQ(4, list.Count());
    EXPECT_EQ(&b, list.First());
    EXPECT_EQ(&c, list.Last());
    EXPECT_EQ(nullptr, list.Items(2));
    EXPECT_EQ((std::vector<std::string>{"a+ in", "b+ in", "c+ in"}), list.Log);

    list.Log.clear();
    EXPECT_EQ(1, list.Remove(&a));
    EXPECT_EQ(-1, list.Remove(&a));
    EXPECT_EQ(&b, list.Extract(&b));
    EXPECT_EQ(nullptr, list.Extract(&d));
    list.Delete(0);  // the nil item: no notification
    EXPECT_EQ((std::vector<std::string>{"a- out", "bx out"}), list.Log);
    EXPECT_EQ(1, list.Count());
}

TEST(List, ReplacingClearingAndShrinkingNotifyEveryItem) {
    TRecordingList list;
    for (int* item : {&a, &b, &c}) list.Add(item);
    list.Log.clear();
    list.SetItems(1, &d);
    list.SetItems(1, &d);  // the same item: nothing happens
    EXPECT_EQ((std::vector<std::string>{"b- out", "d+ in"}), list.Log);

    list.Log.clear();
    list.Exchange(0, 2);
    list.Move(0, 1);
    EXPECT_TRUE(list.Log.empty());  // reordering is silent
    EXPECT_EQ(&d, list.Items(0));

    list.SetCount(5);
    EXPECT_EQ(nullptr, list.Items(4));
    list.SetCount(2);
    list.Clear();
    // From the end, each item gone before it is announced.
    EXPECT_EQ((std::vector<std::string>{"a- out", "c- out", "d- out"}), list.Log);
    EXPECT_EQ(0, list.Count());
}

TEST(List, IndexesOutsideTheListRaise) {
    TList list;
    list.Add(&a);
    struct {
        std::function<void()> action;
        const char* message;
    } cases[] = {
        {[&] { list.Items(1); }, "List index out of bounds (1)"},
        {[&] { list.Items(-1); }, "List index out of bounds (-1)"},
        {[&] { list.Delete(1); }, "List index out of bounds (1)"},
        {[&] { list.Insert(2, &b); }, "List index out of bounds (2)"},
        {[&] { list.SetItems(5, &b); }, "List index out of bounds (5)"},
        {[&] { list.Exchange(0, 1); }, "List index out of bounds (1)"},
        {[&] { list.SetCount(-1); }, "List count out of bounds (-1)"},
    };
    for (auto& c : cases) {
        try {
            c.action();
            ADD_FAILURE() << "no exception, expected " << c.message;
        } catch (const EListError& e) {
            EXPECT_EQ(c.message, e.Message());
        }
    }
    EXPECT_EQ(1, list.Count());
    list.Insert(1, &b);  // Count itself is a place to insert
    EXPECT_EQ(1, list.IndexOf(&b));
}
