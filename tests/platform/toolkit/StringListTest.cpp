// TStringList: sorting and duplicates, case-blind search over code page 936 text, the text forms, and change
// events around updates.
#include <toolkit/StringList.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Items = std::vector<std::string>;

Items ItemsOf(const TStrings& list) {
    Items items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list.Strings(i));
    return items;
}

void Fill(TStrings& list, const Items& items) {
    list.Clear();
    for (auto& s : items) list.Add(s);
}

// Counts events and the update-state hook.
class TCountingList : public TStringList {
    TOOLKIT_CLASS(TCountingList, TStringList)

public:
    TCountingList() {
        OnChanging = [this](TObject* sender) {
            EXPECT_EQ(this, sender);
            ++Changing;
        };
        OnChange = [this](TObject*) { ++Change; };
    }
    int Changing = 0, Change = 0;
    std::vector<bool> UpdateStates;

protected:
    void SetUpdateState(bool updating) override {
        UpdateStates.push_back(updating);
        inherited::SetUpdateState(updating);
    }
};

}  // namespace

TEST(StringList, SortedAddPlacesEachStringCaseBlind) {
    TStringList list;
    list.SetSorted(true);
    struct {
        const char* s;
        int index;
    } adds[] = {{"cherry", 0}, {"Banana", 0}, {"通道", 2}, {"apple", 0}, {"_x", 0}, {"Cherry2", 4}, {"10", 0}};
    for (auto& add : adds) EXPECT_EQ(add.index, list.Add(add.s)) << add.s;
    EXPECT_EQ((Items{"10", "_x", "apple", "Banana", "cherry", "Cherry2", "通道"}), ItemsOf(list));
    int index = -1;
    EXPECT_TRUE(list.Find("BANANA", index));
    EXPECT_EQ(3, index);
    EXPECT_FALSE(list.Find("blueberry", index));
    EXPECT_EQ(4, index);  // where it would go
    EXPECT_EQ(6, list.IndexOf("通道"));
    EXPECT_EQ(-1, list.IndexOf("通"));
}

TEST(StringList, DuplicatesOnASortedList) {
    struct {
        TDuplicates mode;
        Items expected;
        bool raises;
    } cases[] = {{dupIgnore, {"a", "B", "c"}, false},
                 {dupAccept, {"a", "b", "B", "c"}, false},
                 {dupError, {"a", "B", "c"}, true}};
    for (auto& c : cases) {
        TStringList list;
        list.SetDuplicates(c.mode);
        list.SetSorted(true);
        Fill(list, {"c", "a", "B"});
        try {
            int index = list.Add("b");
            EXPECT_FALSE(c.raises);
            EXPECT_EQ(1, index);  // the existing one for dupIgnore, the new one for dupAccept
        } catch (const EStringListError& e) {
            EXPECT_TRUE(c.raises);
            EXPECT_EQ("String list does not allow duplicates", e.Message());
        }
        EXPECT_EQ(c.expected, ItemsOf(list)) << c.mode;
    }
    // An unsorted list keeps everything whatever the mode.
    TStringList plain;
    plain.SetDuplicates(dupError);
    Fill(plain, {"x", "x"});
    EXPECT_EQ(2, plain.Count());
}

TEST(StringList, SortedListsRefusePositionalChanges) {
    TStringList list;
    Fill(list, {"b", "a"});
    list.SetSorted(true);
    EXPECT_EQ((Items{"a", "b"}), ItemsOf(list));
    EXPECT_THROW(list.Insert(0, "z"), EStringListError);
    try {
        list.SetStrings(0, "z");
        ADD_FAILURE();
    } catch (const EStringListError& e) {
        EXPECT_EQ("Operation not allowed on sorted list", e.Message());
    }
    try {
        list.Delete(2);
        ADD_FAILURE();
    } catch (const EStringListError& e) {
        EXPECT_EQ("List index out of bounds (2)", e.Message());
    }
}

TEST(StringList, IndexOfIgnoresAsciiCaseOnlyOutsideDoubleByteCharacters) {
    TStringList list;
    // 0x81 0x41 and 0x81 0x61 are different characters whose second bytes read as 'A' and 'a'.
    Fill(list, {"Port", "\x81\x41", "\x81\x61", "通道1"});
    EXPECT_EQ(0, list.IndexOf("PORT"));
    EXPECT_EQ(1, list.IndexOf("\x81\x41"));
    EXPECT_EQ(2, list.IndexOf("\x81\x61"));
    EXPECT_EQ(3, list.IndexOf("通道1"));
    EXPECT_EQ(-1, list.IndexOf("Port "));
    EXPECT_EQ(-1, list.IndexOf("\x81"));
    list.SetCaseSensitive(true);
    EXPECT_EQ(-1, list.IndexOf("PORT"));
}

TEST(StringList, CommaTextRoundTrips) {
    struct {
        Items items;
        const char* text;
    } cases[] = {
        {{"a", "b"}, "a,b"},
        {{"a b", "c"}, "\"a b\",c"},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"x,y", "z"}, "\"x,y\",z"},
        {{""}, "\"\""},
        {{"a", "", "b"}, "a,,b"},
        {{"通道 1", "通道"}, "\"通道 1\",通道"},
        {{"tab\there"}, "\"tab\there\""},
        {{"'single'"}, "'single'"},
        {{}, ""},
    };
    for (auto& c : cases) {
        TStringList list;
        Fill(list, c.items);
        EXPECT_EQ(c.text, list.CommaText());
        TStringList back;
        back.SetCommaText(c.text);
        EXPECT_EQ(c.items, ItemsOf(back)) << c.text;
    }
}

TEST(StringList, CommaTextReadsBlanksAsSeparators) {
    struct {
        const char* text;
        Items items;
    } cases[] = {
        {"a b", {"a", "b"}},
        {"  a ,  b  ", {"a", "b"}},
        {"a,", {"a", ""}},
        {"a, ", {"a"}},
        {",a", {"", "a"}},
        {"\"unterminated", {"unterminated"}},
        {"\"a\"b,c", {"a", "b", "c"}},
        {"x\"y", {"x\"y"}},
        {"\"\",\"\"", {"", ""}},
    };
    for (auto& c : cases) {
        TStringList list;
        list.SetCommaText(c.text);
        EXPECT_EQ(c.items, ItemsOf(list)) << c.text;
    }
}

TEST(StringList, TextUsesCrLfAndReadsAnyLineEnd) {
    TStringList list;
    Fill(list, {"a", "", "通道"});
    EXPECT_EQ("a\r\n\r\n通道\r\n", list.Text());
    struct {
        const char* text;
        Items items;
    } cases[] = {{"a\r\nb", {"a", "b"}},
                 {"a\nb\n", {"a", "b"}},
                 {"a\n\nb", {"a", "", "b"}},
                 {"a\rb", {"a", "b"}},
                 {"a\n\rb", {"a", "", "b"}},
                 {"", {}},
                 {"\r\n", {""}},
                 {"x ", {"x "}}};
    for (auto& c : cases) {
        list.SetText(c.text);
        EXPECT_EQ(c.items, ItemsOf(list)) << c.text;
    }
}

TEST(StringList, UpdatesFireOnceForTheOutermostPair) {
    TCountingList list;
    list.Add("x");
    EXPECT_EQ(1, list.Changing);
    EXPECT_EQ(1, list.Change);

    list.Changing = list.Change = 0;
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("y");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(1, list.Changing);  // on the outer BeginUpdate
    EXPECT_EQ(0, list.Change);
    list.EndUpdate();
    EXPECT_EQ(1, list.Change);
    EXPECT_EQ((std::vector<bool>{true, false}), list.UpdateStates);

    // Whole-list setters are one update each.
    TStringList source;
    Fill(source, {"p", "q", "r"});
    struct {
        const char* what;
        std::function<void()> action;
    } cases[] = {{"Text", [&] { list.SetText("a\r\nb\r\nc"); }},
                 {"CommaText", [&] { list.SetCommaText("a,b,c"); }},
                 {"Assign", [&] { list.Assign(&source); }},
                 {"AddStrings", [&] { list.AddStrings(source); }}};
    for (auto& c : cases) {
        list.Changing = list.Change = 0;
        c.action();
        EXPECT_EQ(1, list.Changing) << c.what;
        EXPECT_EQ(1, list.Change) << c.what;
    }
    EXPECT_EQ(6, list.Count());
}

TEST(StringList, NamesAndValues) {
    TStringList list;
    Fill(list, {"Port=COM1", "Baud=9600", "plain", "通道=名称=x"});
    EXPECT_EQ("COM1", list.Values("port"));
    EXPECT_EQ("名称=x", list.Values("通道"));
    EXPECT_EQ("", list.Values("plain"));
    EXPECT_EQ("", list.Names(2));
    EXPECT_EQ("Baud", list.Names(1));
    EXPECT_EQ("9600", list.ValueFromIndex(1));
    list.SetValues("BAUD", "19200");
    EXPECT_EQ("BAUD=19200", list.Strings(1));
    list.SetValues("Parity", "N");
    list.SetValues("Port", "");
    EXPECT_EQ((Items{"BAUD=19200", "plain", "通道=名称=x", "Parity=N"}), ItemsOf(list));
    EXPECT_EQ(3, list.IndexOfName("parity"));
}

TEST(StringList, ObjectsTravelWithTheirStrings) {
    TStringList one, two, three;
    TStringList list;
    list.AddObject("c", &three);
    list.AddObject("a", &one);
    list.AddObject("b", &two);
    list.Exchange(0, 1);
    EXPECT_EQ(&one, list.Objects(0));
    list.Sort();
    EXPECT_EQ((Items{"a", "b", "c"}), ItemsOf(list));
    EXPECT_EQ(&three, list.Objects(2));
    EXPECT_EQ(1, list.IndexOfObject(&two));

    list.Move(2, 0);
    EXPECT_EQ("c", list.Strings(0));
    EXPECT_EQ(&three, list.Objects(0));

    TStringList copy;
    copy.Add("old");
    copy.Assign(&list);
    EXPECT_TRUE(copy.Equals(list));
    EXPECT_EQ(&three, copy.Objects(0));
    copy.Assign(&copy);  // itself: unchanged
    EXPECT_EQ(3, copy.Count());
    copy.AddStrings(copy);
    EXPECT_EQ(6, copy.Count());

    list.CustomSort([](TStringList* l, int i, int j) { return l->Strings(j).compare(l->Strings(i)); });
    EXPECT_EQ((Items{"c", "b", "a"}), ItemsOf(list));
}
