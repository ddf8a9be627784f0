// Data vectors bound to a field of a real SQLite table.

#include "../qvtest.h"
#include "../sqlitetable.h"
#include "vectortestusers.h"

#include <data/qvvectors.h>

#include <gtest/gtest.h>

#include <QSqlRecord>

#include <vector>

namespace {
int Connections = 0;

class VectorBinding : public ::testing::Test {
protected:
    void SetUp() override {
        Source = new TDataSource(nullptr);
        Source->SetModel(Model);
        Vector = new TQvDoubleVector(nullptr);
        Vector->SetDataField("Value");
        Vector->SetDataSource(Source);
    }
    void TearDown() override {
        delete Vector;
        delete Source;
    }

    void AppendRow(int Id, const QVariant& Value) {
        QSqlRecord Row = Model->record();
        Row.setValue("Id", Id);
        Row.setValue("Value", Value);
        ASSERT_TRUE(Model->insertRecord(-1, Row));
    }

    TSqliteTable Table{QString("qvvectors%1").arg(++Connections),
                       "Measurements",
                       {"CREATE TABLE Measurements (Id INTEGER PRIMARY KEY, Value REAL)",
                        "INSERT INTO Measurements VALUES (1, 1.5), (2, NULL), (3, 3.25)"},
                       QSqlTableModel::OnFieldChange};
    QSqlTableModel* Model = &Table.Model();
    TDataSource* Source = nullptr;
    TQvDoubleVector* Vector = nullptr;
};
} // namespace

TEST_F(VectorBinding, ReloadsOnUseAfterTheTableChanged) {
    QStringList Log;
    TLoggingUser User(nullptr, "S", TQvVectorUser::TKind::Series, &Log, Vector);
    Vector->AddRelated(&User);
    EXPECT_TRUE(Vector->DBData());
    EXPECT_TRUE(Vector->NeedsUpdateDB());
    EXPECT_EQ(Vector->GetCount(), 0);

    // A null inside the table is a 0 marked as outlier; the cursor stays where it was.
    TDataSet* Set = Source->DataSet();
    Set->First();
    Set->Next();
    Vector->UpdateDB();
    EXPECT_FALSE(Vector->NeedsUpdateDB());
    EXPECT_EQ(ValuesOf(*Vector), (std::vector<double>{1.5, 0, 3.25}));
    EXPECT_TRUE(Vector->IsOutlier(1));
    EXPECT_EQ(Vector->GetSum(), 4.75);
    EXPECT_EQ(Set->RecNo(), 1);
    EXPECT_EQ(Log, QStringList{"S.SetLastCount(0)"});

    // Moving the cursor changes nothing; a new row marks the values stale, read on next use.
    Set->Last();
    EXPECT_FALSE(Vector->NeedsUpdateDB());
    AppendRow(4, QVariant());
    EXPECT_TRUE(Vector->NeedsUpdateDB());
    EXPECT_EQ(Vector->DataLink()->GetLastCount(), 4);
    EXPECT_EQ(Vector->GetCount(), 3);
    Vector->UpdateDB();
    EXPECT_EQ(ValuesOf(*Vector), (std::vector<double>{1.5, 0, 3.25}));
    AppendRow(5, 6.0);
    Vector->UpdateDB();
    EXPECT_EQ(ValuesOf(*Vector), (std::vector<double>{1.5, 0, 3.25, 0, 6}));
    EXPECT_TRUE(Vector->IsOutlier(3));
    EXPECT_EQ(Vector->GetMaximum(), 6);

    // An edited value.
    ASSERT_TRUE(Model->setData(Model->index(0, 1), 9.5));
    EXPECT_TRUE(Vector->NeedsUpdateDB());
    Vector->UpdateDB();
    EXPECT_EQ(ValuesOf(*Vector).front(), 9.5);
    EXPECT_EQ(Vector->GetSum(), 18.75);

    // Deleted rows, and rows deleted by SQL elsewhere.
    ASSERT_TRUE(Model->removeRow(1));
    Model->select();
    Vector->UpdateDB();
    EXPECT_EQ(ValuesOf(*Vector), (std::vector<double>{9.5, 3.25, 0, 6}));
    EXPECT_EQ(Vector->GetOutlierIndices().GetCount(), 1);
    QSqlQuery Query(Model->database());
    ASSERT_TRUE(Query.exec("DELETE FROM Measurements WHERE Id > 3"));
    Model->select();
    Vector->UpdateDB();
    EXPECT_EQ(ValuesOf(*Vector), (std::vector<double>{9.5, 3.25}));
    EXPECT_FALSE(Vector->GetAnyOutliers());
    EXPECT_FALSE(Vector->GetOnlyAscending());
}

TEST_F(VectorBinding, IncompleteBindingSwitchesItselfOff) {
    // While controls are disabled the old values stay and remain stale.
    Source->DataSet()->DisableControls();
    Vector->UpdateDB();
    EXPECT_TRUE(Vector->NeedsUpdateDB());
    EXPECT_EQ(Vector->GetCount(), 0);
    Source->DataSet()->EnableControls();
    Vector->UpdateDB();
    EXPECT_EQ(Vector->GetCount(), 3);

    // An unknown field.
    Vector->SetDataField("Missing");
    EXPECT_TRUE(Vector->DBData());
    Vector->UpdateDB();
    EXPECT_FALSE(Vector->DBData());
    EXPECT_EQ(Vector->GetCount(), 0);

    // The data source freed first: the binding goes, the values stay.
    Vector->SetDataField("Value");
    Vector->UpdateDB();
    EXPECT_EQ(Vector->GetCount(), 3);
    delete Source;
    Source = nullptr;
    EXPECT_FALSE(Vector->DBData());
    EXPECT_EQ(Vector->GetDataSource(), nullptr);
    AppendRow(4, 1.0);
    Vector->UpdateDB();
    EXPECT_EQ(ValuesOf(*Vector), (std::vector<double>{1.5, 0, 3.25}));

    // A nil source, and a source whose model is gone.
    auto* Other = new TDataSource(nullptr);
    Other->SetModel(Model);
    Vector->SetDataSource(Other);
    Vector->SetDataSource(nullptr);
    EXPECT_FALSE(Vector->DBData());
    Vector->SetDataSource(Other);
    Table.DeleteModel();
    Vector->UpdateDB();
    EXPECT_FALSE(Vector->DBData());
    delete Other;
}
