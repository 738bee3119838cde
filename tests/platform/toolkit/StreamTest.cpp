// Streams: memory and file streams, whole-buffer transfers and their errors, copying, file modes and sharing.
#include <toolkit/FileStream.h>
#include <toolkit/MemoryStream.h>
#include <toolkit/StringList.h>

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::string ReadAll(TStream& stream) {
    stream.SetPosition(0);
    std::string bytes(static_cast<size_t>(stream.Size()), '\0');
    stream.ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
    return bytes;
}

template <class E>
std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    return "(no exception)";
}

}  // namespace

TEST(MemoryStream, ReadsWritesAndSeeks) {
    TMemoryStream stream;
    stream.WriteBuffer("hello world", 11);
    EXPECT_EQ(11, stream.Position());
    EXPECT_EQ(11, stream.Size());
    EXPECT_EQ(6, stream.Seek(-5, soEnd));
    char buffer[16] = {};
    EXPECT_EQ(5, stream.Read(buffer, 10));  // short at the end
    EXPECT_EQ(std::string("world"), buffer);
    EXPECT_EQ(0, stream.Read(buffer, 10));
    EXPECT_EQ(-1, stream.Seek(-1, soBeginning));
    EXPECT_EQ(11, stream.Position());  // a refused seek leaves the position
    EXPECT_EQ(8, stream.Seek(-3, soCurrent));

    // Writing past the end leaves a gap of zeros.
    stream.SetPosition(13);
    stream.WriteBuffer("!", 1);
    EXPECT_EQ(std::string("hello world\0\0!", 14), ReadAll(stream));

    stream.SetSize(5);
    EXPECT_EQ(5, stream.Position());
    EXPECT_EQ("hello", std::string(stream.Memory(), 5));
    stream.Clear();
    EXPECT_EQ(0, stream.Size());
    EXPECT_EQ(0, stream.Position());
}

TEST(MemoryStream, ShortReadBufferRaises) {
    TMemoryStream stream;
    stream.WriteBuffer("abc", 3);
    stream.SetPosition(1);
    char buffer[8];
    EXPECT_EQ("Stream read error", ErrorOf<EReadError>([&] { stream.ReadBuffer(buffer, 3); }));
    stream.ReadBuffer(buffer, 0);                             // nothing asked, nothing wrong
    EXPECT_THROW(stream.ReadBuffer(buffer, 1), EFilerError);  // the read error is a filer error
}

TEST(MemoryStream, CopyFromTakesAllOrPart) {
    TMemoryStream source, whole, part;
    source.WriteBuffer("0123456789", 10);
    EXPECT_EQ(10, whole.CopyFrom(source, 0));  // 0: everything, from the start
    EXPECT_EQ("0123456789", ReadAll(whole));

    source.SetPosition(4);
    EXPECT_EQ(3, part.CopyFrom(source, 3));
    EXPECT_EQ("456", ReadAll(part));
    EXPECT_EQ(7, source.Position());
    EXPECT_THROW(part.CopyFrom(source, 4), EReadError);

    // Larger than one internal chunk.
    TMemoryStream big, copy;
    std::string bytes(200000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    big.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    copy.CopyFrom(big, 0);
    EXPECT_EQ(bytes, ReadAll(copy));
}

TEST(FileStream, CreatesReadsAndWritesUnderACodePage936Name) {
    testsupport::TempDir dir;
    std::string name = dir.Path().string() + "/通道.bin";
    {
        TFileStream file(name, fmCreate);
        file.WriteBuffer("abcdef", 6);
        EXPECT_EQ(6, file.Size());
    }
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / u8"通道.bin"));  // UTF-8 on disk
    {
        TFileStream file(name, fmOpenRead);
        EXPECT_EQ("abcdef", ReadAll(file));
        file.SetPosition(2);
        char c = 0;
        file.ReadBuffer(&c, 1);
        EXPECT_EQ('c', c);
        EXPECT_EQ(0, file.Write("x", 1));  // opened for reading only
        EXPECT_EQ("Stream write error", ErrorOf<EWriteError>([&] { file.WriteBuffer("x", 1); }));
        EXPECT_THROW(file.ReadBuffer(&c, 4), EReadError);
        EXPECT_EQ(name, file.FileName());
    }
    {
        TFileStream file(name, fmOpenReadWrite);
        file.Seek(0, soEnd);
        file.WriteBuffer("gh", 2);
        file.SetSize(3);
        EXPECT_EQ(3, file.Position());
        EXPECT_EQ("abc", ReadAll(file));
    }
    {
        TFileStream file(name, fmCreate);  // empties it
        EXPECT_EQ(0, file.Size());
    }
}

TEST(FileStream, FilesThatCannotBeHadRaise) {
    testsupport::TempDir dir;
    std::string missing = dir.File("missing.bin");
    std::string inMissingDir = dir.File("no/such.bin");
    std::string present = dir.File("present.bin");
    testsupport::WriteFileBytes(present, "x");
    struct {
        std::string name;
        unsigned mode;
        const char* message;
    } cases[] = {
        {missing, fmOpenRead, "Cannot open file "},
        {missing, fmOpenReadWrite, "Cannot open file "},
        {inMissingDir, fmCreate, "Cannot create file "},
        {dir.Path().string(), fmOpenRead, "Cannot open file "},  // a directory is no file
        {present, 3, "Cannot open file "},                       // no such access value
        {present, fmOpenRead | 0x50, "Cannot open file "},       // no such sharing value
        {present, fmCreate | fmOpenWrite, "Cannot create file "},
        {"", fmOpenRead, "Cannot open file "},
    };
    for (auto& c : cases)
        EXPECT_EQ(c.message + c.name, ErrorOf<EStreamError>([&] { TFileStream file(c.name, c.mode); }))
            << c.name << " " << c.mode;
    EXPECT_THROW(TFileStream(missing, fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(inMissingDir, fmCreate), EFCreateError);
}

TEST(FileStream, SharingBetweenStreamsThatDeny) {
    testsupport::TempDir dir;
    std::string name = dir.File("shared.bin");
    {
        TFileStream held(name, fmCreate);
        held.WriteBuffer("keep", 4);
        EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyWrite), EFOpenError);
        // A refused create leaves the holder's bytes alone.
        EXPECT_THROW(TFileStream(name, fmCreate), EFCreateError);
        EXPECT_EQ("keep", ReadAll(held));
    }
    {
        TFileStream reader1(name, fmOpenRead | fmShareDenyWrite);
        TFileStream reader2(name, fmOpenRead | fmShareDenyWrite);
        EXPECT_THROW(TFileStream(name, fmOpenReadWrite | fmShareExclusive), EFOpenError);
    }
    TFileStream alone(name, fmOpenReadWrite | fmShareExclusive);  // free again once the readers are gone
    EXPECT_EQ("keep", ReadAll(alone));
}

// Sharing values work both ways, as share modes do: a stream that denies nothing is still kept out by a holder
// that denies what it asks for, and fmShareCompat shares nothing.
TEST(FileStream, SharingValuesAsShareModes) {
    struct Case {
        unsigned holder;
        unsigned second;
        bool opens;
    };
    const Case cases[] = {
        {fmOpenRead | fmShareDenyNone, fmOpenReadWrite | fmShareDenyNone, true},
        {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyNone, false},
        {fmOpenRead | fmShareCompat, fmOpenRead | fmShareDenyNone, false},
        {fmOpenRead | fmShareDenyRead, fmOpenRead | fmShareDenyNone, false},
        {fmOpenRead | fmShareDenyRead, fmOpenWrite | fmShareDenyNone, true},
        {fmOpenWrite | fmShareDenyNone, fmOpenRead | fmShareDenyWrite, false},
        {fmOpenRead | fmShareDenyWrite, fmOpenWrite | fmShareDenyNone, false},
        {fmOpenRead | fmShareDenyNone, fmCreate, false},
    };
    testsupport::TempDir dir;
    std::string name = dir.File("modes.bin");
    testsupport::WriteFileBytes(name, "data");
    for (const Case& c : cases) {
        TFileStream holder(name, c.holder);
        bool opened = true;
        try {
            TFileStream second(name, c.second);
        } catch (const EStreamError&) {
            opened = false;
        }
        EXPECT_EQ(c.opens, opened) << std::hex << c.holder << " then " << c.second;
    }
    EXPECT_EQ("data", testsupport::ReadFileBytes(name));
}

TEST(FileStream, StringsAndMemoryStreamsGoThroughFiles) {
    testsupport::TempDir dir;
    TStringList lines;
    lines.SetText("第一行\n2\n");
    std::string name = dir.Path().string() + "/行.txt";
    lines.SaveToFile(name);
    EXPECT_EQ("第一行\r\n2\r\n", testsupport::ReadFileBytes((dir.Path() / u8"行.txt").string()));
    TStringList back;
    back.LoadFromFile(name);
    EXPECT_TRUE(back.Equals(lines));

    TMemoryStream memory;
    memory.LoadFromFile(name);
    EXPECT_EQ(0, memory.Position());
    EXPECT_EQ("第一行\r\n2\r\n", std::string(memory.Memory(), static_cast<size_t>(memory.Size())));
    memory.SetPosition(3);
    std::string copyName = dir.File("copy.txt");
    memory.SaveToFile(copyName);  // everything, whatever the position
    EXPECT_EQ(testsupport::ReadFileBytes(copyName), ReadAll(memory));
    EXPECT_THROW(memory.LoadFromFile(dir.File("none.txt")), EFOpenError);
}
