// Typed value streams: tags, round trips and what a corrupt stream does.

#include "../qvtest.h"

#include <framework/qvexceptions.h>
#include <framework/qvfiler.h>

#include <gtest/gtest.h>

#include <QBuffer>

TEST(Filer, ValuesRoundTripWithTheSmallestTags) {
    QByteArray Data;
    {
        QBuffer Buffer(&Data);
        Buffer.open(QIODevice::WriteOnly);
        TWriter Writer(&Buffer);
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
    }
    EXPECT_EQ(Data.left(10).toHex(), "02fb"
                                     "032c01"
                                     "0470110100"); // Int8, Int16, Int32
    QBuffer Buffer(&Data);
    Buffer.open(QIODevice::ReadOnly);
    TReader Reader(&Buffer);
    EXPECT_EQ(Reader.ReadInteger(), -5);
    EXPECT_EQ(Reader.ReadInteger(), 300);
    EXPECT_EQ(Reader.ReadInteger(), 70000);
    EXPECT_THROW(Reader.ReadInteger(), EReadError); // 2^40 does not fit an int
    Buffer.seek(10);
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
    QByteArray Huge("\x14\xff\xff\xff\x7f"
                    "abc",
                    8);
    QBuffer Buffer(&Huge);
    Buffer.open(QIODevice::ReadOnly);
    TReader Reader(&Buffer);
    EXPECT_EQ(MessageOf<EReadError>([&] { Reader.ReadString(); }),
              "A stored text of 2147483647 bytes is longer than the 3 bytes left in the stream");

    // A negative count reads as the empty text; a wrong tag is an invalid value.
    QByteArray Negative("\x14\xff\xff\xff\xff\x09", 6);
    QBuffer NegativeBuffer(&Negative);
    NegativeBuffer.open(QIODevice::ReadOnly);
    TReader NegativeReader(&NegativeBuffer);
    EXPECT_EQ(NegativeReader.ReadString(), "");
    EXPECT_EQ(MessageOf<EReadError>([&] { NegativeReader.ReadString(); }),
              "Invalid property value");

    // Truncated payloads and unknown tags.
    QByteArray Short("\x15\x00\x00", 3);
    QBuffer ShortBuffer(&Short);
    ShortBuffer.open(QIODevice::ReadOnly);
    TReader ShortReader(&ShortBuffer);
    EXPECT_EQ(MessageOf<EReadError>([&] { ShortReader.ReadFloat(); }), "Stream read error");
    QByteArray Unknown("\x63", 1);
    QBuffer UnknownBuffer(&Unknown);
    UnknownBuffer.open(QIODevice::ReadOnly);
    TReader UnknownReader(&UnknownBuffer);
    EXPECT_THROW(UnknownReader.SkipValue(), EReadError);
}

TEST(Filer, SkippingCountsNestedListsInsteadOfRecursing) {
    // Lists inside lists are skipped whole, up to the depth limit, and the next value follows.
    QByteArray Nested;
    {
        QBuffer Buffer(&Nested);
        Buffer.open(QIODevice::WriteOnly);
        TWriter Writer(&Buffer);
        for (int i = 0; i < TReader::MaxListDepth; ++i) {
            Writer.WriteListBegin();
            Writer.WriteString(QStringLiteral("level %1").arg(i));
        }
        for (int i = 0; i < TReader::MaxListDepth; ++i)
            Writer.WriteListEnd();
        Writer.WriteInteger(42);
    }
    QBuffer Buffer(&Nested);
    Buffer.open(QIODevice::ReadOnly);
    TReader Reader(&Buffer);
    Reader.SkipValue();
    EXPECT_EQ(Reader.ReadInteger(), 42);

    // 100,000 list tags in a row: a clear error, not a stack overflow.
    QByteArray Deep(100000, '\x01');
    QBuffer DeepBuffer(&Deep);
    DeepBuffer.open(QIODevice::ReadOnly);
    TReader DeepReader(&DeepBuffer);
    EXPECT_EQ(MessageOf<EReadError>([&] { DeepReader.SkipValue(); }),
              "Values are nested deeper than 1000 levels");
}
