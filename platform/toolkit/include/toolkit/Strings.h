// TStrings: the abstract list of code page 936 strings, each with an associated object, and the text forms of
// the list (Text, CommaText, Name=Value pairs).
#pragma once

#include <toolkit/Persistent.h>

#include <string>

class TStream;

// "List index out of bounds (%d)", "String list does not allow duplicates", "Operation not allowed on sorted list".
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

class TStrings : public TPersistent {
    TOOLKIT_CLASS(TStrings, TPersistent)

public:
    TStrings() = default;

    virtual int Add(const std::string& s);
    virtual int AddObject(const std::string& s, TObject* object);
    void Append(const std::string& s) { Add(s); }
    // Adds every string and object of strings, inside one update.
    virtual void AddStrings(const TStrings& strings);
    // From another TStrings: replaces the contents inside one update; anything else goes to TPersistent.
    void Assign(const TPersistent* source) override;
    virtual void Clear() = 0;
    virtual void Delete(int index) = 0;
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void InsertObject(int index, const std::string& s, TObject* object);
    virtual void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    bool Equals(const TStrings& strings) const;

    // The first string equal to s (ASCII case ignored, see CompareStrings), or -1.
    virtual int IndexOf(const std::string& s) const;
    // The first "name=..." string whose name matches, or -1.
    int IndexOfName(const std::string& name) const;
    int IndexOfObject(TObject* object) const;

    int Count() const { return GetCount(); }
    std::string Strings(int index) const { return Get(index); }
    void SetStrings(int index, const std::string& s) { Put(index, s); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObject* object) { PutObject(index, object); }

    // The part before the first '=', or empty when there is none.
    std::string Names(int index) const;
    // The part after "name=" of the string IndexOfName finds, or empty.
    std::string Values(const std::string& name) const;
    // Replaces or adds "name=value"; an empty value deletes the pair.
    void SetValues(const std::string& name, const std::string& value);
    std::string ValueFromIndex(int index) const;

    // Every string followed by CR LF.
    std::string Text() const;
    // One string per line; lines end at CR LF, LF or CR.
    void SetText(const std::string& text);
    // Strings separated by commas; a string holding a blank, a control character, a comma or a double quote is
    // put in double quotes with its quotes doubled. A list of one empty string is "\"\"".
    std::string CommaText() const;
    // Splits at commas and at blanks outside double quotes; doubled quotes inside quotes stand for one. A comma at
    // the very end adds an empty string.
    void SetCommaText(const std::string& text);

    // Nested; the outermost pair calls SetUpdateState(true) and SetUpdateState(false).
    void BeginUpdate();
    void EndUpdate();

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

protected:
    virtual std::string Get(int index) const = 0;
    virtual int GetCount() const = 0;
    virtual TObject* GetObject(int index) const {
        (void)index;
        return nullptr;
    }
    // The base deletes and re-inserts, keeping the object.
    virtual void Put(int index, const std::string& s);
    virtual void PutObject(int index, TObject* object) {
        (void)index;
        (void)object;
    }
    // Hook for the outermost BeginUpdate (true) and EndUpdate (false); nothing in the base.
    virtual void SetUpdateState(bool updating) { (void)updating; }
    // How IndexOf, IndexOfName and Values match: AnsiCompareText.
    virtual int CompareStrings(const std::string& a, const std::string& b) const;
    int UpdateCount() const { return FUpdateCount; }

private:
    int FUpdateCount = 0;
};
