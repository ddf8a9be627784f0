#pragma once

// A table in an SQLite database in memory, read through a QSqlTableModel, for the tests of
// database bindings; TSqliteNames holds (Id, Name) rows.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

class TSqliteTable {
public:
    // The statements make the table; the model reads Table.
    TSqliteTable(const QString& Connection, const QString& Table, const QStringList& Statements,
                 QSqlTableModel::EditStrategy Strategy = QSqlTableModel::OnRowChange)
        : FConnection(Connection) {
        QSqlDatabase Db = QSqlDatabase::addDatabase("QSQLITE", Connection);
        Db.setDatabaseName(":memory:");
        EXPECT_TRUE(Db.open());
        QSqlQuery Query(Db);
        for (const QString& Statement : Statements)
            EXPECT_TRUE(Query.exec(Statement)) << Statement.toStdString();
        FModel = std::make_unique<QSqlTableModel>(nullptr, Db);
        FModel->setTable(Table);
        FModel->setEditStrategy(Strategy);
        EXPECT_TRUE(FModel->select());
    }
    ~TSqliteTable() {
        FModel.reset();
        QSqlDatabase::database(FConnection).close();
        QSqlDatabase::removeDatabase(FConnection);
    }
    QSqlTableModel& Model() { return *FModel; }
    void DeleteModel() { FModel.reset(); }

private:
    QString FConnection;
    std::unique_ptr<QSqlTableModel> FModel;
};

class TSqliteNames : public TSqliteTable {
public:
    // A null entry of Names is a NULL field.
    TSqliteNames(const QString& Connection, const QString& Table, const QStringList& Names)
        : TSqliteTable(Connection, Table, Statements(Table, Names)) {}

private:
    static QStringList Statements(const QString& Table, const QStringList& Names) {
        QStringList Result{"CREATE TABLE " + Table + " (Id INTEGER PRIMARY KEY, Name TEXT)"};
        for (const QString& Name : Names)
            Result << "INSERT INTO " + Table + " (Name) VALUES (" +
                          (Name.isNull() ? QStringLiteral("NULL") : "'" + Name + "'") + ")";
        return Result;
    }
};
