// Binary stream helpers, string lists and message formatting.

#include "../qvtest.h"

#include <framework/qvexceptions.h>
#include <framework/qvstreams.h>
#include <framework/qvstringlist.h>
#include <strings/qvlocalize.h>

#include <gtest/gtest.h>

#include <QBuffer>

using namespace QvStream;

TEST(Streams, ValuesAreLittleEndianWithTheirRecordSizes) {
    QByteArray Data;
    QBuffer Buffer(&Data);
    Buffer.open(QIODevice::WriteOnly);
    WriteInteger(&Buffer, 0x01020304);
    WriteBoolean(&Buffer, true);
    WriteByte(&Buffer, 0xFE);
    WriteWord(&Buffer, 0x0A0B);
    WriteSingle(&Buffer, 1.0f);
    WriteDouble(&Buffer, -2.0);
    WriteColor(&Buffer, 0xFF112233u);
    WriteInt64(&Buffer, -1);
    EXPECT_EQ(Data.toHex(),
              "04030201"         // integer
              "01"               // Boolean
              "fe"               // byte
              "0b0a"             // word
              "0000803f"         // single 1.0
              "00000000000000c0" // double -2.0
              "332211ff"         // ARGB colour
              "ffffffffffffffff");

    Buffer.close();
    Buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(ReadInteger(&Buffer), 0x01020304);
    EXPECT_TRUE(ReadBoolean(&Buffer));
    EXPECT_EQ(ReadByte(&Buffer), 0xFE);
    EXPECT_EQ(ReadWord(&Buffer), 0x0A0B);
    EXPECT_EQ(ReadSingle(&Buffer), 1.0f);
    EXPECT_EQ(ReadDouble(&Buffer), -2.0);
    EXPECT_EQ(ReadColor(&Buffer), 0xFF112233u);
    EXPECT_EQ(BytesLeft(&Buffer), 8);
    EXPECT_EQ(ReadInt64(&Buffer), -1);
    EXPECT_EQ(BytesLeft(&Buffer), 0);
}

TEST(Streams, ShortReadsAndFailedWritesRaise) {
    QByteArray Data("\x01\x02\x03", 3);
    QBuffer Buffer(&Data);
    Buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(MessageOf<EReadError>([&] { ReadInteger(&Buffer); }), "Stream read error");
    EXPECT_THROW(WriteInteger(&Buffer, 1), EWriteError);
    EXPECT_THROW(ReadByte(nullptr), EReadError);
}

TEST(StringLists, ChangeEventsTextAndAssign) {
    TStringList List;
    int Changing = 0, Changed = 0;
    List.SetOnChanging([&](TObject* Sender) {
        EXPECT_EQ(Sender, &List);
        ++Changing;
    });
    List.SetOnChange([&](TObject*) { ++Changed; });
    List.Add("one");
    List.Insert(0, "zero");
    List.SetStrings(1, "uno");
    EXPECT_EQ(Changing, 3);
    EXPECT_EQ(Changed, 3);

    // An update bracket reports once however much happens inside.
    List.BeginUpdate();
    List.BeginUpdate();
    List.Add("two");
    List.Delete(0);
    List.EndUpdate();
    EXPECT_EQ(Changed, 3);
    List.EndUpdate();
    EXPECT_EQ(Changing, 4);
    EXPECT_EQ(Changed, 4);
    EXPECT_EQ(List.ToStringList(), (QStringList{"uno", "two"}));
    EXPECT_EQ(List.IndexOf("TWO"), 1);
    EXPECT_EQ(List.IndexOf("three"), -1);

    EXPECT_EQ(List.GetText(), "uno\ntwo\n");
    List.SetText("a\r\nb\rc\nd\n");
    EXPECT_EQ(List.ToStringList(), (QStringList{"a", "b", "c", "d"}));
    List.SetText("\n\nlast");
    EXPECT_EQ(List.ToStringList(), (QStringList{"", "", "last"}));

    EXPECT_EQ(MessageOf<EStringListError>([&] { List.Get(3); }), "List index out of bounds (3)");
    EXPECT_THROW(List.Insert(5, "x"), EStringListError);

    TStringList Copy;
    Copy.Assign(&List);
    EXPECT_EQ(Copy.ToStringList(), List.ToStringList());
    EXPECT_EQ(MessageOf<EConvertError>([&] { Copy.Assign(nullptr); }),
              "Cannot assign a nil to a TStringList");
}

TEST(Messages, DelphiStylePlaceholdersAreFilledInOrder) {
    EXPECT_EQ(FormatText("%d of %s: %.2f%%, %x, %g", {3, "five", 2.0 / 3, 255, 0.5}),
              "3 of five: 0.67%, FF, 0.5");
    // Missing arguments leave the placeholder; unknown ones pass through.
    EXPECT_EQ(FormatText("%s and %s", {"one"}), "one and %s");
    EXPECT_EQ(FormatText("100% %q", {}), "100% %q");
}
