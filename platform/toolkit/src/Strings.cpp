// TStrings: the operations every string list gets from its few primitives, and the text forms.
#include <toolkit/Strings.h>

#include <toolkit/FileStream.h>

#include <vector>

int TStrings::Add(const std::string& s) {
    int index = GetCount();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
    int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::AddStrings(const TStrings& strings) {
    BeginUpdate();
    try {
        // Counted once: adding a list to itself doubles it instead of running forever.
        int count = strings.Count();
        for (int i = 0; i < count; ++i) AddObject(strings.Strings(i), strings.Objects(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(const TPersistent* source) {
    auto strings = dynamic_cast<const TStrings*>(source);
    if (!strings) {
        inherited::Assign(source);
        return;
    }
    if (strings == this) return;
    BeginUpdate();
    try {
        Clear();
        AddStrings(*strings);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
    Insert(index, s);
    PutObject(index, object);
}

void TStrings::Exchange(int index1, int index2) {
    BeginUpdate();
    try {
        std::string s1 = Strings(index1);
        TObject* o1 = Objects(index1);
        SetStrings(index1, Strings(index2));
        SetObjects(index1, Objects(index2));
        SetStrings(index2, s1);
        SetObjects(index2, o1);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    BeginUpdate();
    try {
        std::string s = Get(curIndex);
        TObject* object = GetObject(curIndex);
        Delete(curIndex);
        InsertObject(newIndex, s, object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

bool TStrings::Equals(const TStrings& strings) const {
    if (Count() != strings.Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != strings.Get(i)) return false;
    return true;
}

int TStrings::IndexOf(const std::string& s) const {
    for (int i = 0; i < GetCount(); ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& name) const {
    for (int i = 0; i < GetCount(); ++i) {
        std::string s = Get(i);
        // '=' is below every trail byte of code page 936, so a byte search finds only a real '='.
        std::string::size_type equals = s.find('=');
        if (equals != std::string::npos && CompareStrings(s.substr(0, equals), name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* object) const {
    for (int i = 0; i < GetCount(); ++i)
        if (GetObject(i) == object) return i;
    return -1;
}

std::string TStrings::Names(int index) const {
    std::string s = Get(index);
    std::string::size_type equals = s.find('=');
    return equals == std::string::npos ? std::string() : s.substr(0, equals);
}

std::string TStrings::Values(const std::string& name) const {
    int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(const std::string& name, const std::string& value) {
    int index = IndexOfName(name);
    if (!value.empty()) {
        if (index < 0) index = Add("");
        Put(index, name + "=" + value);
    } else if (index >= 0) {
        Delete(index);
    }
}

std::string TStrings::ValueFromIndex(int index) const {
    std::string s = Get(index);
    std::string::size_type equals = s.find('=');
    return equals == std::string::npos ? std::string() : s.substr(equals + 1);
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < GetCount(); ++i) text += Get(i) + "\r\n";
    return text;
}

void TStrings::SetText(const std::string& text) {
    BeginUpdate();
    try {
        Clear();
        size_t i = 0;
        while (i < text.size()) {
            size_t start = i;
            while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
            Add(text.substr(start, i - start));
            if (i < text.size() && text[i] == '\r') ++i;
            if (i < text.size() && text[i] == '\n') ++i;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::string TStrings::CommaText() const {
    int count = GetCount();
    if (count == 1 && Get(0).empty()) return "\"\"";
    std::string text;
    for (int i = 0; i < count; ++i) {
        std::string s = Get(i);
        // Blanks, quotes and commas are all below 0x40, so no trail byte of a double-byte character triggers quoting.
        bool quote = false;
        for (char c : s)
            if (IsBlank(c) || c == '"' || c == ',') quote = true;
        if (quote) {
            std::string quoted = "\"";
            for (char c : s) {
                if (c == '"') quoted += '"';
                quoted += c;
            }
            s = quoted + "\"";
        }
        if (i > 0) text += ',';
        text += s;
    }
    return text;
}

void TStrings::SetCommaText(const std::string& text) {
    BeginUpdate();
    try {
        Clear();
        size_t i = 0;
        const size_t n = text.size();
        auto skipBlanks = [&]() {
            while (i < n && IsBlank(text[i])) ++i;
        };
        skipBlanks();
        while (i < n) {
            std::string s;
            if (text[i] == '"') {
                ++i;
                while (i < n) {
                    if (text[i] == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            s += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    s += text[i++];
                }
            } else {
                size_t start = i;
                while (i < n && !IsBlank(text[i]) && text[i] != ',') ++i;
                s = text.substr(start, i - start);
            }
            Add(s);
            skipBlanks();
            if (i < n && text[i] == ',') {
                if (i + 1 == n) Add("");
                ++i;
                skipBlanks();
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    --FUpdateCount;
    if (FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromStream(TStream& stream) {
    int64_t size = stream.Size() - stream.Position();
    std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (!text.empty()) stream.ReadBuffer(text.data(), static_cast<int>(text.size()));
    SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
    std::string text = Text();
    stream.WriteBuffer(text.data(), static_cast<int>(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TStrings::Put(int index, const std::string& s) {
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, s, object);
}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const { return AnsiCompareText(a, b); }
