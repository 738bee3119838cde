// The description reader over a small component hierarchy of its own: every property kind, events by name, fields,
// references in any order, Loaded after fixups, parents by nesting, and errors that name their line.
#include <toolkit/Collection.h>
#include <toolkit/DescriptionResources.h>
#include <toolkit/Graphics.h>
#include <toolkit/Reader.h>
#include <toolkit/StringList.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

enum TTestAlign { alNone, alTop, alClient };
enum TTestAnchor { akLeft, akTop, akRight, akBottom };
enum TTestStyle { tsBold, tsItalic };

std::vector<std::string>& LoadedLog() {
    static std::vector<std::string> log;
    return log;
}

class TTestFont : public TPersistent {
    TOOLKIT_CLASS(TTestFont, TPersistent)

public:
    std::string Name() const { return FName; }
    void SetName(const std::string& value) { FName = value; }
    int Size() const { return FSize; }
    void SetSize(int value) { FSize = value; }
    TSet<TTestStyle> Style() const { return FStyle; }
    void SetStyle(TSet<TTestStyle> value) { FStyle = value; }

private:
    std::string FName = "Tahoma";
    int FSize = 8;
    TSet<TTestStyle> FStyle;
};

class TTestItem : public TCollectionItem {
    TOOLKIT_CLASS(TTestItem, TCollectionItem)

public:
    explicit TTestItem(TCollection* collection) : TCollectionItem(collection) {}
    std::string Caption() const { return FCaption; }
    void SetCaption(const std::string& value) { FCaption = value; }
    int Width() const { return FWidth; }
    void SetWidth(int value) { FWidth = value; }

private:
    std::string FCaption;
    int FWidth = 50;
};

// Counts whole-collection updates: the reader should cause one per collection it reads.
class TTestItems : public TCollection {
    TOOLKIT_CLASS(TTestItems, TCollection)

public:
    TTestItems() : TCollection(TTestItem::ClassInfo()) {}
    TTestItem* Item(int index) const { return static_cast<TTestItem*>(Items(index)); }
    int FUpdates = 0;

protected:
    void Update(TCollectionItem* item) override {
        if (!item) ++FUpdates;
    }
};

class TTestControl : public TComponent {
    TOOLKIT_CLASS(TTestControl, TComponent)

public:
    explicit TTestControl(TComponent* owner) : TComponent(owner) {}

    int Left() const { return FLeft; }
    void SetLeft(int value) {
        FLeft = value;
        FLoadingWhenSet = ComponentState().Contains(csLoading) && ComponentState().Contains(csReading);
    }
    std::string Caption() const { return FCaption; }
    void SetCaption(const std::string& value) {
        if (value == "refuse") throw EConvertError("Caption refused");
        FCaption = value;
    }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    TTestAlign Align() const { return FAlign; }
    void SetAlign(TTestAlign value) { FAlign = value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { FColor = value; }
    double Ratio() const { return FRatio; }
    void SetRatio(double value) { FRatio = value; }
    TTestFont* Font() { return &FFont; }
    TStringList* Lines() { return &FLines; }
    TTestControl* Buddy() const { return FBuddy; }
    void SetBuddy(TTestControl* value) { FBuddy = value; }
    void ReadData(const std::string& bytes) { FData = bytes; }

    TNotifyEvent OnClick;
    std::function<void(TObject* sender, int& key)> OnKey;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return FParent; }
    void SetParentComponent(TComponent* value) override { FParent = value; }

    int FLoadedCount = 0;
    bool FLoadingWhenSet = false;
    bool FBuddyAtLoaded = false;
    std::string FData;

protected:
    void Loaded() override {
        inherited::Loaded();
        ++FLoadedCount;
        FBuddyAtLoaded = FBuddy != nullptr;
        LoadedLog().push_back(Name());
    }

private:
    int FLeft = 0;
    std::string FCaption;
    bool FVisible = true;
    TTestAlign FAlign = alNone;
    TColor FColor = clBtnFace;
    double FRatio = 1;
    TTestFont FFont;
    TStringList FLines;
    TTestControl* FBuddy = nullptr;
    TComponent* FParent = nullptr;
};

class TTestPanel : public TTestControl {
    TOOLKIT_CLASS(TTestPanel, TTestControl)

public:
    explicit TTestPanel(TComponent* owner) : TTestControl(owner) {}
    TSet<TTestAnchor> Anchors() const { return FAnchors; }
    void SetAnchors(TSet<TTestAnchor> value) { FAnchors = value; }
    TTestItems* Columns() { return &FColumns; }

private:
    TSet<TTestAnchor> FAnchors{akLeft, akTop};
    TTestItems FColumns;
};

class TTestForm : public TTestControl {
    TOOLKIT_CLASS(TTestForm, TTestControl)

public:
    explicit TTestForm(TComponent* owner) : TTestControl(owner) {}

    TTestControl* Button1 = nullptr;
    TTestPanel* Panel1 = nullptr;

    void Button1Click(TObject* sender) { FClicks.push_back(sender); }
    void EditKey(TObject*, int& key) { key = 0; }
    void DoNothing(TObject*) {}

    std::vector<TObject*> FClicks;
};

// Another root class with nothing of its own published: it sees what its ancestors publish.
class TTestForm2 : public TTestForm {
    TOOLKIT_CLASS(TTestForm2, TTestForm)

public:
    explicit TTestForm2(TComponent* owner) : TTestForm(owner) {}
};

[[maybe_unused]] const auto fontPublished =
    Publish<TTestFont>()
        .String("Name", &TTestFont::Name, &TTestFont::SetName, "Tahoma")
        .Integer("Size", &TTestFont::Size, &TTestFont::SetSize, 8)
        .Set<TTestStyle>("Style", {"tsBold", "tsItalic"}, &TTestFont::Style, &TTestFont::SetStyle);

[[maybe_unused]] const auto itemPublished = Publish<TTestItem>()
                                                .String("Caption", &TTestItem::Caption, &TTestItem::SetCaption)
                                                .Integer("Width", &TTestItem::Width, &TTestItem::SetWidth, 50);

[[maybe_unused]] const auto controlPublished =
    Publish<TTestControl>()
        .Integer("Left", &TTestControl::Left, &TTestControl::SetLeft)
        .String("Caption", &TTestControl::Caption, &TTestControl::SetCaption)
        .Boolean("Visible", &TTestControl::Visible, &TTestControl::SetVisible, true)
        .Enumeration("Align", {"alNone", "alTop", "alClient"}, &TTestControl::Align, &TTestControl::SetAlign)
        .Color("Color", &TTestControl::Color, &TTestControl::SetColor, clBtnFace)
        .Float("Ratio", &TTestControl::Ratio, &TTestControl::SetRatio, 1)
        .Object("Font", &TTestControl::Font)
        .Strings("Lines", &TTestControl::Lines)
        .Binary("Data", &TTestControl::ReadData)
        .Component("Buddy", &TTestControl::Buddy, &TTestControl::SetBuddy)
        .Event("OnClick", &TTestControl::OnClick)
        .Event("OnKey", &TTestControl::OnKey);

[[maybe_unused]] const auto panelPublished =
    Publish<TTestPanel>()
        .Set<TTestAnchor>("Anchors", {"akLeft", "akTop", "akRight", "akBottom"}, &TTestPanel::Anchors,
                          &TTestPanel::SetAnchors, {akLeft, akTop})
        .Collection("Columns", &TTestPanel::Columns);

[[maybe_unused]] const auto formPublished = Publish<TTestForm>()
                                                .Field("Button1", &TTestForm::Button1)
                                                .Field("Panel1", &TTestForm::Panel1)
                                                .Method("Button1Click", &TTestForm::Button1Click)
                                                .Method("EditKey", &TTestForm::EditKey)
                                                .Method("DoNothing", &TTestForm::DoNothing);

// Descriptions are UTF-8 like the files in the source tree: u8 literals keep them so under the GBK execution set.
const char* const kForm =
    u8R"(object Form1: TTestForm
  Caption = '主窗口'
  Left = -10
  object Button1: TTestControl
    Left = 8
    Caption = 'OK'#13#10'Cancel' +
      ' ' + #36890#36947
    Visible = False
    Align = alClient
    Color = clRed
    Ratio = 2.5
    Font.Name = '宋体'
    Font.Style = [tsBold, tsItalic]
    Lines = (
      'one'
      '二')
    Data = {
      0A0B
      FF}
    Buddy = Edit1
    OnClick = Button1Click
    Tag = $10
  end
  object Panel1: TTestPanel
    Anchors = [akRight]
    Color = $FF00000F
    Columns = <
      item
        Caption = 'A'
      end
      item
        Width = 80
      end>
    object Edit1: TTestControl
      Buddy = Form1.Button1
      OnKey = EditKey
      OnClick = DoNothing
    end
  end
end
)";

}  // namespace

TEST(Reader, EveryPropertyKind) {
    TTestForm form(nullptr);
    ReadDescription(&form, kForm);
    EXPECT_EQ("Form1", form.Name());
    EXPECT_EQ("主窗口", form.Caption());
    EXPECT_EQ(-10, form.Left());
    ASSERT_EQ(3, form.ComponentCount()) << "the root owns every component, nested or not";
    ASSERT_NE(nullptr, form.Button1);
    ASSERT_NE(nullptr, form.Panel1);
    TTestControl& button = *form.Button1;
    EXPECT_EQ(&button, form.FindComponent("Button1"));
    EXPECT_EQ(8, button.Left());
    EXPECT_EQ("OK\r\nCancel 通道", button.Caption());
    EXPECT_FALSE(button.Visible());
    EXPECT_EQ(alClient, button.Align());
    EXPECT_EQ(clRed, button.Color());
    EXPECT_DOUBLE_EQ(2.5, button.Ratio());
    EXPECT_EQ("宋体", button.Font()->Name());
    EXPECT_EQ(8, button.Font()->Size());
    EXPECT_EQ((TSet<TTestStyle>{tsBold, tsItalic}), button.Font()->Style());
    ASSERT_EQ(2, button.Lines()->Count());
    EXPECT_EQ("one", button.Lines()->Strings(0));
    EXPECT_EQ("二", button.Lines()->Strings(1));
    EXPECT_EQ(std::string("\x0A\x0B\xFF"), button.FData);
    EXPECT_EQ(16, button.Tag());

    TTestPanel& panel = *form.Panel1;
    EXPECT_EQ(TSet<TTestAnchor>{akRight}, panel.Anchors());
    EXPECT_EQ(clBtnFace, panel.Color()) << "$FF00000F is the 32-bit pattern of clBtnFace";
    ASSERT_EQ(2, panel.Columns()->Count());
    EXPECT_EQ("A", panel.Columns()->Item(0)->Caption());
    EXPECT_EQ(50, panel.Columns()->Item(0)->Width());
    EXPECT_EQ(80, panel.Columns()->Item(1)->Width());
    EXPECT_EQ(1, panel.Columns()->FUpdates);

    // Every child is owned by the root and parented by nesting.
    auto* edit = dynamic_cast<TTestControl*>(form.FindComponent("Edit1"));
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(&form, edit->Owner());
    EXPECT_EQ(&panel, edit->GetParentComponent());
    EXPECT_EQ(&form, button.GetParentComponent());
}

TEST(Reader, ReferencesResolveInAnyOrder) {
    TTestForm form(nullptr);
    ReadDescription(&form, kForm);
    auto* edit = dynamic_cast<TTestControl*>(form.FindComponent("Edit1"));
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(edit, form.Button1->Buddy()) << "a reference to a component read later";
    EXPECT_EQ(form.Button1, edit->Buddy()) << "Form1.Button1 names the root first";

    TTestForm other(nullptr);
    ReadDescription(&other,
                    "object Form2: TTestForm\n  Buddy = Form2\n  object A: TTestControl\n    Buddy = nil\n"
                    "  end\nend\n");
    EXPECT_EQ(&other, other.Buddy()) << "the root by its own name";
}

TEST(Reader, EventsBindToTheRootsMethods) {
    TTestForm form(nullptr);
    ReadDescription(&form, kForm);
    ASSERT_TRUE(form.Button1->OnClick);
    form.Button1->OnClick(form.Button1);
    ASSERT_EQ(1u, form.FClicks.size());
    EXPECT_EQ(form.Button1, form.FClicks[0]);

    auto* edit = dynamic_cast<TTestControl*>(form.FindComponent("Edit1"));
    ASSERT_TRUE(edit->OnKey);
    int key = 13;
    edit->OnKey(edit, key);
    EXPECT_EQ(0, key) << "the handler's int& reaches the caller";
    ASSERT_TRUE(edit->OnClick);
    edit->OnClick(edit);
    EXPECT_EQ(1u, form.FClicks.size()) << "a handler that does nothing";

    // A derived root class finds the methods and fields its ancestor publishes.
    TTestForm2 derived(nullptr);
    ReadDescription(&derived,
                    "object F: TTestForm2\n  object Button1: TTestControl\n    OnClick = Button1Click\n"
                    "  end\nend\n");
    ASSERT_NE(nullptr, derived.Button1);
    derived.Button1->OnClick(nullptr);
    EXPECT_EQ(1u, derived.FClicks.size());
}

TEST(Reader, LoadedRunsOnceAfterFixupsInCreationOrder) {
    LoadedLog().clear();
    TTestForm form(nullptr);
    ReadDescription(&form, kForm);
    EXPECT_EQ((std::vector<std::string>{"Form1", "Button1", "Panel1", "Edit1"}), LoadedLog());
    auto* edit = dynamic_cast<TTestControl*>(form.FindComponent("Edit1"));
    for (TTestControl* control :
         {static_cast<TTestControl*>(&form), form.Button1, static_cast<TTestControl*>(form.Panel1), edit}) {
        EXPECT_EQ(1, control->FLoadedCount) << control->Name();
        EXPECT_FALSE(control->ComponentState().Contains(csLoading)) << control->Name();
        EXPECT_FALSE(control->ComponentState().Contains(csReading)) << control->Name();
    }
    EXPECT_TRUE(form.Button1->FBuddyAtLoaded) << "Button1 refers forward to Edit1, fixed before Loaded";
    EXPECT_TRUE(form.FLoadingWhenSet && form.Button1->FLoadingWhenSet) << "setters run with csLoading and csReading";
}

TEST(Reader, ErrorsNameTheLineAndThePath) {
    struct {
        const char* body;
        const char* message;
    } cases[] = {
        {"  Left = 1\n  Foo = 2\n", "Line 3: Property Form1.Foo does not exist"},
        {"  object B: TTestControl\n    Font.Colour = 1\n  end\n", "Line 3: Property B.Font.Colour does not exist"},
        {"  Caption.Size = 1\n", "Line 2: Property Form1.Caption.Size does not exist"},
        {"  object B: TBar\n  end\n", "Line 2: Class TBar not found"},
        {"  object B: TTestFont\n  end\n", "Line 2: Class TTestFont is not a component class that can be created"},
        {"  Align = alBottom\n", "Line 2: Invalid value for property Form1.Align: alBottom is not one of its values"},
        {"  Visible = 1\n", "Line 2: Invalid value for property Form1.Visible: True or False is expected"},
        {"  Left = 'x'\n", "Line 2: Invalid value for property Form1.Left: an integer is expected"},
        {"  Left = 2147483648\n", "Line 2: Invalid value for property Form1.Left: 2147483648 is out of range"},
        {"  Color = clPlaid\n", "Line 2: Invalid value for property Form1.Color: clPlaid is not a colour name"},
        {"  Font.Style = [tsBold, tsWide]\n",
         "Line 2: Invalid value for property Form1.Font.Style: tsWide is not one of its elements"},
        {"  Lines = ('a' 1)\n", "Line 2: Invalid value for property Form1.Lines: a list item is not a string"},
        {"  Caption = 'refuse'\n", "Line 2: Error reading Form1.Caption: Caption refused"},
        {"  OnClick = Missing\n", "Line 2: Method Missing for Form1.OnClick not found in TTestForm"},
        {"  OnClick = EditKey\n", "Line 2: Method EditKey does not match the event Form1.OnClick"},
        {"  Buddy = Nobody\n", "Line 2: Component Nobody for Form1.Buddy not found"},
        {"  object B: TTestControl\n  end\n  object B: TTestControl\n  end\n",
         "Line 4: A component named B already exists"},
        {"  object Panel1: TTestControl\n  end\n", "Line 2: Field Panel1 of TTestForm cannot hold a TTestControl"},
        {"  object P: TTestPanel\n    Columns = <\n      item\n        Height = 1\n      end>\n  end\n",
         "Line 5: Property P.Columns[0].Height does not exist"},
    };
    for (auto& c : cases) {
        TTestForm form(nullptr);
        try {
            ReadDescription(&form, std::string("object Form1: TTestForm\n") + c.body + "end\n");
            ADD_FAILURE() << "no error for " << c.body;
        } catch (const EReadError& e) {
            EXPECT_EQ(c.message, e.Message()) << c.body;
        }
        EXPECT_FALSE(form.ComponentState().Contains(csLoading)) << c.body;
    }
}

TEST(Reader, ReferenceOfTheWrongClassAndRootMismatch) {
    TTestForm form(nullptr);
    try {
        ReadDescription(&form,
                        "object Form1: TTestForm\n  object Unrelated: TComponent\n  end\n"
                        "  Buddy = Unrelated\nend\n");
        ADD_FAILURE();
    } catch (const EReadError& e) {
        EXPECT_EQ("Line 4: Invalid value for property Form1.Buddy: Unrelated is a TComponent, not a TTestControl",
                  e.Message());
    }
    TTestControl plain(nullptr);
    EXPECT_THROW(ReadDescription(&plain, "object Form1: TTestForm\nend\n"), EReadError);
    EXPECT_THROW(ReadDescription(&form, "object Form1: TTestForm\n  Left = \nend\n"), EParserError);
    // The root may be read as any class it is.
    TTestForm2 derived(nullptr);
    ReadDescription(&derived, "object F: TTestControl\n  Left = 4\nend\n");
    EXPECT_EQ(4, derived.Left());
}

namespace {

class TParentRecordingReader : public TReader {
public:
    using TReader::TReader;
    std::vector<std::pair<std::string, std::string>> FPairs;

protected:
    void ReadChild(TComponent* parent, TComponent* child) override {
        FPairs.emplace_back(parent->Name(), child->Name());
        TReader::ReadChild(parent, child);
    }
};

}  // namespace

TEST(Reader, ReadChildSeesEachChildWithItsParent) {
    TTestForm form(nullptr);
    TParentRecordingReader reader(&form);
    reader.Read(kForm);
    EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{
                  {"Form1", "Button1"}, {"Form1", "Panel1"}, {"Panel1", "Edit1"}}),
              reader.FPairs);
}

TEST(Reader, DescriptionResourcesByName) {
    RegisterDescriptionResource("ReaderTestForm", u8"object F: TTestForm\n  Caption = '表'\nend\n");
    TTestForm form(nullptr);
    ReadDescriptionResource(&form, "readertestform");
    EXPECT_EQ("表", form.Caption());
    try {
        ReadDescriptionResource(&form, "NoSuchForm");
        ADD_FAILURE();
    } catch (const EReadError& e) {
        EXPECT_EQ("Description NoSuchForm not found", e.Message());
    }
}

// descriptions/EmbeddedForm.description, compiled in by embed_descriptions(test_toolkit ...) in tests/CMakeLists.txt.
TEST(Reader, EmbeddedDescription) {
    if (!FindDescriptionResource("EmbeddedForm")) GTEST_SKIP() << "embed_descriptions is not applied to test_toolkit";
    TTestForm form(nullptr);
    ReadDescriptionResource(&form, "EmbeddedForm");
    EXPECT_EQ("嵌入的窗体", form.Caption());
    ASSERT_NE(nullptr, form.Button1);
    EXPECT_EQ(5, form.Button1->Left());
}
