// Typed value streams: tags, round trips and what a corrupt stream does.

#include "../qvtest.h"

#include <framework/qvexceptions.h>
#include <framework/qvfiler.h>

#include <gtest/gtest.h>

#include <QBuffer>

namespace {
// A reader over fixed bytes.
struct TBytesReader {
    explicit TBytesReader(const QByteArray& Bytes) {
        Buffer.setData(Bytes);
        Buffer.open(QIODevice::ReadOnly);
    }
    QBuffer Buffer;
    TReader Reader{&Buffer};
};
} // namespace

TEST(Filer, ValuesRoundTripWithTheSmallestTags) {
    QBuffer Out;
    Out.open(QIODevice::WriteOnly);
    TWriter Writer(&Out);
    Writer.WriteInteger(-5);
    Writer.WriteInteger(300);
    Writer.WriteInteger(70000);
    Writer.WriteInteger(qint64(1) << 40);
    Writer.WriteListBegin();
    Writer.WriteFloat(0.1);
    Writer.WriteString("Grüße");
    Writer.WriteListBegin();
    Writer.WriteBoolean(true);
    Writer.WriteListEnd();
    Writer.WriteListEnd();
    Writer.WriteIdent("Dash");
    Writer.WriteSingle(2.5f);
    Writer.WriteBinary(QByteArray("\x00\x01", 2));
    EXPECT_EQ(Out.data().left(10).toHex(), "02fb"
                                           "032c01"
                                           "0470110100"); // Int8, Int16, Int32

    TBytesReader In(Out.data());
    TReader& Reader = In.Reader;
    EXPECT_EQ(Reader.ReadInteger(), -5);
    EXPECT_EQ(Reader.ReadInteger(), 300);
    EXPECT_EQ(Reader.ReadInteger(), 70000);
    EXPECT_THROW(Reader.ReadInteger(), EReadError); // 2^40 does not fit an int
    In.Buffer.seek(10);
    EXPECT_EQ(Reader.ReadInt64(), qint64(1) << 40);
    Reader.ReadListBegin();
    EXPECT_EQ(Reader.ReadFloat(), 0.1);
    EXPECT_EQ(Reader.ReadString(), "Grüße");
    EXPECT_FALSE(Reader.EndOfList());
    Reader.SkipValue(); // the inner list
    EXPECT_TRUE(Reader.EndOfList());
    Reader.ReadListEnd();
    EXPECT_EQ(Reader.ReadIdent(), "Dash");
    EXPECT_EQ(Reader.ReadFloat(), 2.5);
    EXPECT_EQ(Reader.ReadBinary(), QByteArray("\x00\x01", 2));
    EXPECT_EQ(MessageOf<EReadError>([&] { Reader.NextValue(); }), "Stream read error");
}

TEST(Filer, CorruptStreamsRaiseInsteadOfAllocating) {
    // A string claiming two gigabytes in a stream of a few bytes.
    TBytesReader Huge(QByteArray::fromHex("14ffffff7f") + "abc");
    EXPECT_EQ(MessageOf<EReadError>([&] { Huge.Reader.ReadString(); }),
              "A stored text of 2147483647 bytes is longer than the 3 bytes left in the stream");

    // A negative count reads as the empty text; a wrong tag is an invalid value.
    TBytesReader Negative(QByteArray("\x14\xff\xff\xff\xff\x09", 6));
    EXPECT_EQ(Negative.Reader.ReadString(), "");
    EXPECT_EQ(MessageOf<EReadError>([&] { Negative.Reader.ReadString(); }),
              "Invalid property value");

    // Truncated payloads and unknown tags.
    TBytesReader Short(QByteArray("\x15\x00\x00", 3));
    EXPECT_EQ(MessageOf<EReadError>([&] { Short.Reader.ReadFloat(); }), "Stream read error");
    TBytesReader Unknown(QByteArray("\x63", 1));
    EXPECT_THROW(Unknown.Reader.SkipValue(), EReadError);
}

TEST(Filer, SkippingCountsNestedListsInsteadOfRecursing) {
    // Lists inside lists are skipped whole, up to the depth limit, and the next value follows.
    QBuffer Out;
    Out.open(QIODevice::WriteOnly);
    TWriter Writer(&Out);
    for (int i = 0; i < TReader::MaxListDepth; ++i) {
        Writer.WriteListBegin();
        Writer.WriteString(QStringLiteral("level %1").arg(i));
    }
    for (int i = 0; i < TReader::MaxListDepth; ++i)
        Writer.WriteListEnd();
    Writer.WriteInteger(42);
    TBytesReader Nested(Out.data());
    Nested.Reader.SkipValue();
    EXPECT_EQ(Nested.Reader.ReadInteger(), 42);

    // 100,000 list tags in a row: a clear error, not a stack overflow.
    TBytesReader Deep(QByteArray(100000, '\x01'));
    EXPECT_EQ(MessageOf<EReadError>([&] { Deep.Reader.SkipValue(); }),
              "Values are nested deeper than 1000 levels");
}
