#include "framework/core/streams.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace trx {
namespace {

using test::ReadAll;
using test::TempDir;
using test::WriteAll;

TEST(FileStream, CreatesReadsSeeksAndReportsFailures) {
    TempDir dir;
    const std::string name = dir.File("blob.bin");
    {
        TFileStream out(name, fmCreate);
        out.WriteBuffer("\x00\x01\xFE\xFF", 4);
        out.WriteBuffer("tail", 4);
        EXPECT_EQ(out.Size(), 8);
        out.SetSize(6);
        EXPECT_EQ(out.Position(), 6);
    }
    EXPECT_EQ(ReadAll(name), std::string("\x00\x01\xFE\xFFta", 6));

    TFileStream in(name, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(in.FileName(), name);
    in.SetPosition(4);
    char buf[8] = {};
    EXPECT_EQ(in.Read(buf, 8), 2);
    EXPECT_EQ(std::string(buf, 2), "ta");
    EXPECT_EQ(in.Seek(-3, TSeekOrigin::soEnd), 3);
    EXPECT_THROW(in.ReadBuffer(buf, 4), EReadError);
    EXPECT_THROW(in.WriteBuffer("x", 1), EWriteError); // opened for reading

    try {
        TFileStream missing(dir.File("none.bin"), fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message, "Cannot open file " + dir.File("none.bin"));
        EXPECT_EQ(LastFileError(), 2);
    }
    try {
        TFileStream bad(dir.File("no/dir.bin"), fmCreate);
        FAIL() << "created a file in a missing directory";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message, "Cannot create file " + dir.File("no/dir.bin"));
        EXPECT_EQ(LastFileError(), 3);
    }
}

TEST(FileStream, ShareModesApply) {
    TempDir dir;
    const std::string name = dir.File("src");
    WriteAll(name, "data");
    TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
    EXPECT_NO_THROW(TFileStream(name, fmOpenRead | fmShareDenyWrite));
    EXPECT_THROW(TFileStream(name, fmOpenReadWrite | fmShareDenyNone), EFOpenError);
    EXPECT_EQ(LastFileError(), 32);
    EXPECT_THROW(TFileStream(name, fmCreate), EFCreateError);
    EXPECT_EQ(ReadAll(name), "data"); // a refused create empties nothing
    // Compat means exclusive for streams.
    EXPECT_THROW(TFileStream(name, fmOpenRead), EFOpenError);
}

TEST(MemoryStreams, GrowOnWriteAndCopy) {
    TMemoryStream m;
    m.WriteBuffer("abc", 3);
    m.Seek(2, TSeekOrigin::soEnd); // beyond the end
    m.WriteBuffer("z", 1);
    EXPECT_EQ(m.Size(), 6);
    EXPECT_EQ(std::string(m.Memory(), 6), std::string("abc\0\0z", 6));
    EXPECT_EQ(m.Seek(-100, TSeekOrigin::soCurrent), 0);
    char buf[6];
    m.ReadBuffer(buf, 6);
    EXPECT_THROW(m.ReadBuffer(buf, 1), EReadError);

    TStringStream s("hello world");
    s.SetPosition(6);
    EXPECT_EQ(s.ReadString(100), "world");
    s.SetPosition(0);
    s.WriteString("j"); // overwrites in place, the rest stays
    EXPECT_EQ(s.DataString(), "jello world");
    s.Seek(0, TSeekOrigin::soEnd);
    s.SetSize(5);
    EXPECT_EQ(s.DataString(), "jello");
    EXPECT_EQ(s.Position(), 5);

    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(s, 0), 5);
    EXPECT_EQ(std::string(copy.Memory(), 5), "jello");
    s.SetPosition(1);
    TStringStream part;
    EXPECT_EQ(part.CopyFrom(s, 3), 3);
    EXPECT_EQ(part.DataString(), "ell");
    EXPECT_THROW(part.CopyFrom(s, 5), EReadError);

    TempDir dir;
    copy.SaveToFile(dir.File("m.bin"));
    TMemoryStream loaded;
    loaded.LoadFromFile(dir.File("m.bin"));
    EXPECT_EQ(std::string(loaded.Memory(), static_cast<size_t>(loaded.Size())), "jello");
    EXPECT_EQ(loaded.Position(), 0);
    EXPECT_THROW(loaded.LoadFromFile(dir.File("none")), EFOpenError);
    loaded.Clear();
    EXPECT_EQ(loaded.Size(), 0);
}

} // namespace
} // namespace trx
