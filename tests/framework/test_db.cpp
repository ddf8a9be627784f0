// Data sources over a real SQLite table and the links that listen to them.

#include "../qvtest.h"
#include "../sqlitetable.h"

#include <framework/qvdb.h>
#include <framework/qvexceptions.h>

#include <gtest/gtest.h>

#include <QStandardItemModel>

namespace {
class TRecordingLink : public TFieldDataLink {
public:
    QStringList Events;

protected:
    void DataEvent(TDataEvent Event, int Info) override {
        Events << QString("%1:%2").arg(QVariant::fromValue(Event).toString()).arg(Info);
        TFieldDataLink::DataEvent(Event, Info);
    }
};

int Connections = 0;

class DataBinding : public ::testing::Test {
protected:
    QList<QVariant> Column(TDataSet* Set, int Field) {
        QList<QVariant> Result;
        for (Set->First(); !Set->Eof(); Set->Next())
            Result << Set->FieldValue(Field);
        return Result;
    }

    TSqliteTable Table{
        QString("qvtest%1").arg(++Connections),
        "Measurements",
        {"CREATE TABLE Measurements (Id INTEGER PRIMARY KEY, Value REAL, Label TEXT)",
         "INSERT INTO Measurements VALUES (1, 1.5, 'a'), (2, NULL, 'b'), (3, 3.25, 'c')"},
        QSqlTableModel::OnFieldChange};
    QSqlTableModel* Model = &Table.Model();
};
} // namespace

TEST_F(DataBinding, CursorWalksRecordsAndFindsFieldsByHeaderName) {
    TDataSource Source(nullptr);
    EXPECT_EQ(Source.DataSet(), nullptr);
    Source.SetModel(Model);
    TDataSet* Set = Source.DataSet();
    ASSERT_NE(Set, nullptr);
    EXPECT_EQ(Set->RecordCount(), 3);
    EXPECT_EQ(Set->FieldNames(), (QStringList{"Id", "Value", "Label"}));
    EXPECT_EQ(Set->FieldIndex("value"), 1);
    EXPECT_EQ(Set->FieldIndex("Missing"), -1);
    EXPECT_EQ(Column(Set, 2), (QList<QVariant>{"a", "b", "c"}));

    Set->First();
    Set->Next();
    EXPECT_TRUE(Set->FieldIsNull(1));
    const TBookmark Mark = Set->GetBookmark();
    Set->Last();
    EXPECT_EQ(Set->FieldValue(2).toString(), "c");
    Set->GotoBookmark(Mark);
    EXPECT_EQ(Set->RecNo(), 1);
    Set->Prior();
    Set->Prior();
    EXPECT_TRUE(Set->Bof());
    EXPECT_EQ(Set->RecNo(), 0);
}

TEST_F(DataBinding, LinksHearEditsAndDeletesButWaitWhileControlsAreDisabled) {
    TDataSource Source(nullptr);
    TRecordingLink Link;
    int ActiveChanges = 0, DataChanges = 0;
    Link.SetOnActiveChange([&](TObject*) { ++ActiveChanges; });
    Link.SetOnDataChange([&](TObject*) { ++DataChanges; });
    Link.SetFieldName("Value");
    Link.SetDataSource(&Source);
    EXPECT_EQ(Link.Field(), -1);
    Source.SetModel(Model);
    EXPECT_EQ(ActiveChanges, 2);
    EXPECT_EQ(Link.Field(), 1);
    EXPECT_EQ(Source.DataLinkCount(), 1);

    // Edit a value: the link hears a change of its field, and not of others.
    Link.Events.clear();
    DataChanges = 0;
    ASSERT_TRUE(Model->setData(Model->index(0, 1), 9.5));
    EXPECT_TRUE(Link.Events.contains("FieldChange:1"));
    EXPECT_GE(DataChanges, 1);

    // Delete a row: the data set changes and counts one record less.
    Link.Events.clear();
    ASSERT_TRUE(Model->removeRow(1));
    Model->select();
    EXPECT_TRUE(Link.Events.contains("DataSetChange:-1"));
    EXPECT_EQ(Column(Source.DataSet(), 1), (QList<QVariant>{9.5, 3.25}));

    // Disabled controls hear nothing until the outermost enable, then one summary.
    TDataSet* Set = Source.DataSet();
    Link.Events.clear();
    Set->DisableControls();
    EXPECT_TRUE(Set->ControlsDisabled());
    Column(Set, 1);
    EXPECT_TRUE(Link.Events.isEmpty());
    Set->EnableControls();
    EXPECT_EQ(Link.Events, QStringList{"DataSetScroll:-1"});

    Link.Events.clear();
    Set->DisableControls();
    Set->DisableControls();
    ASSERT_TRUE(Model->setData(Model->index(1, 1), 1.0));
    Set->EnableControls();
    EXPECT_TRUE(Link.Events.isEmpty());
    Set->EnableControls();
    EXPECT_EQ(Link.Events, QStringList{"DataSetChange:-1"});
}

TEST_F(DataBinding, FieldLinkHearsItsOwnFieldAndSurvivesItsModel) {
    auto* Items = new QStandardItemModel(2, 2);
    Items->setHorizontalHeaderLabels({"Value", "Label"});
    auto* Source = new TDataSource(nullptr);
    Source->SetModel(Items);
    TFieldDataLink Link;
    Link.SetFieldName("VALUE");
    Link.SetDataSource(Source);
    EXPECT_EQ(Link.Field(), 0);
    int ActiveChanges = 0, DataChanges = 0;
    Link.SetOnActiveChange([&](TObject*) { ++ActiveChanges; });
    Link.SetOnDataChange([&](TObject*) { ++DataChanges; });
    Items->setData(Items->index(1, 1), "other field");
    EXPECT_EQ(DataChanges, 0);
    Items->setData(Items->index(1, 0), 4.0);
    EXPECT_EQ(DataChanges, 1);
    Items->appendRow({new QStandardItem("5"), new QStandardItem("e")});
    EXPECT_EQ(DataChanges, 2);
    EXPECT_EQ(Source->DataSet()->RecordCount(), 3);

    // A renamed header is a layout change: the field is looked up again.
    Items->setHorizontalHeaderLabels({"Other"});
    EXPECT_EQ(Link.Field(), -1);

    delete Items;
    EXPECT_EQ(ActiveChanges, 1);
    EXPECT_FALSE(Link.Active());
    EXPECT_EQ(Source->DataSet(), nullptr);
    delete Source;
    EXPECT_EQ(Link.GetDataSource(), nullptr);

    // Reading without a current record raises.
    TDataSource Empty(nullptr);
    QStandardItemModel None(0, 1);
    Empty.SetModel(&None);
    EXPECT_TRUE(Empty.DataSet()->Eof());
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { Empty.DataSet()->FieldValue(0); }),
              "The data set has no current record");
}
