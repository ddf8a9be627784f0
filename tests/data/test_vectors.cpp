// Data vectors: storage and capacity, incremental statistics, outliers, edits, notification
// of their users, the indexer and the auxiliary vectors.

#include "../qvtest.h"
#include "vectortestusers.h"

#include <data/qvvectors.h>
#include <framework/qvexceptions.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {
// A free-standing vector holding Values.
struct TFilled : TQvDoubleVector {
    TFilled(std::initializer_list<double> Values) : TQvDoubleVector(nullptr) {
        for (double Value : Values)
            Add(Value);
    }
};

// The statistics in one line: minimum@index, maximum@index, sum and ascent without outliers,
// then minimum@index, maximum@index and sum including them.
QString Stats(const TQvCustomDoubleVector& V) {
    const double Minimum = V.GetMinimum(); // the first query scans what is new
    return QString::asprintf("%g@%d %g@%d sum %g %s | %g@%d %g@%d sum %g", Minimum,
                             V.GetMinimumIdx(), V.GetMaximum(), V.GetMaximumIdx(), V.GetSum(),
                             V.GetOnlyAscending() ? "up" : "unordered",
                             V.GetMinimumIncludingOutliers(), V.GetMinimumIdxIncludingOutliers(),
                             V.GetMaximumIncludingOutliers(), V.GetMaximumIdxIncludingOutliers(),
                             V.GetSumIncludingOutliers());
}

using TKind = TQvVectorUser::TKind;
} // namespace

TEST(DoubleVector, EmptyVectorAndCapacitySteps) {
    TQvDoubleVector V(nullptr);
    EXPECT_EQ(Stats(V), "1.79769e+308@-1 -1.79769e+308@-1 sum 0 up | "
                        "1.79769e+308@-1 -1.79769e+308@-1 sum 0");
    EXPECT_EQ(MessageOf<ERangeError>([&] { V.GetValue(0); }), "i=0 index out of range");

    // The capacity grows by the increment as soon as the count reaches it.
    for (int i = 0; i < 127; ++i)
        V.Add(i);
    EXPECT_EQ(V.GetCapacity(), 128);
    EXPECT_EQ(V.Add(127), 128);
    EXPECT_EQ(V.GetCapacity(), 256);
    V.CheckCount(600);
    EXPECT_EQ(V.GetCapacity(), 640);
    V.CheckCount(10);
    EXPECT_EQ(V.GetCount(), 600);

    // Writing past the end extends the vector; fresh gap slots hold 0.
    TQvDoubleVector W(nullptr);
    W.SetValue(10, 2.5);
    EXPECT_EQ(ValuesOf(W), (std::vector<double>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2.5}));
    EXPECT_EQ(MessageOf<ERangeError>([&] { W.GetValue(11); }), "i=11 index out of range");

    W.SetIncrement(100);
    EXPECT_EQ(W.GetIncrement(), 128);
    W.SetIncrement(1000);
    W.SetCapacity(11);
    EXPECT_EQ(W.GetCapacity(), 128);
    W.SetCapacity(12);
    EXPECT_EQ(W.GetCapacity(), 12);
    W.Add(3);
    EXPECT_EQ(W.GetCapacity(), 1012);
    W.SetCapacity(13);
    EXPECT_EQ(W.GetCapacity(), 13);

    // Slots past the count keep what they held: after Clear and after Delete.
    TFilled U{1, 2, 3, 4};
    U.Clear();
    U.SetValue(2, 9);
    EXPECT_EQ(ValuesOf(U), (std::vector<double>{1, 2, 9}));
    U.SetValue(3, 4);
    U.Delete(3);
    U.SetValue(4, 7);
    EXPECT_EQ(ValuesOf(U), (std::vector<double>{1, 2, 9, 4, 7}));
}

TEST(DoubleVector, StatisticsFoldOnlyNewValues) {
    TFilled V{1, 2, 2, 3};
    EXPECT_TRUE(V.IsChanged());
    EXPECT_EQ(Stats(V), "1@0 3@3 sum 8 unordered | 1@0 3@3 sum 8");
    EXPECT_FALSE(V.IsChanged());

    // Ties keep the earlier index.
    TFilled T{3, 1, 5, 1, 5};
    EXPECT_EQ(Stats(T), "1@1 5@2 sum 15 unordered | 1@1 5@2 sum 15");

    // Appends after a query are folded in on the next query.
    TFilled A{1, 2, 3};
    EXPECT_EQ(A.GetSum(), 6);
    A.Add(10);
    EXPECT_TRUE(A.IsChanged());
    EXPECT_EQ(Stats(A), "1@0 10@3 sum 16 up | 1@0 10@3 sum 16");
    A.Add(10);
    EXPECT_EQ(Stats(A), "1@0 10@3 sum 26 unordered | 1@0 10@3 sum 26");

    // Clear forgets that earlier data descended.
    TFilled C{3, 1};
    EXPECT_FALSE(C.GetOnlyAscending());
    C.Clear();
    C.AddRange({1.0, 2.0});
    EXPECT_EQ(Stats(C), "1@0 2@1 sum 3 up | 1@0 2@1 sum 3");
}

TEST(DoubleVector, OutliersAreLeftOutOfPlainStatistics) {
    TFilled V{1, 5, 2};
    V.AddOutlier(1);
    EXPECT_EQ(Stats(V), "1@0 2@2 sum 3 up | 1@0 5@1 sum 8");

    // Ascent is tested against the last regular value, also across an incremental scan.
    V.Add(3);
    EXPECT_EQ(Stats(V), "1@0 3@3 sum 6 up | 1@0 5@1 sum 11");
    V.Add(2.5);
    EXPECT_EQ(Stats(V), "1@0 3@3 sum 8.5 unordered | 1@0 5@1 sum 13.5");
    TFilled B{1, 9};
    B.AddOutlier(1);
    EXPECT_EQ(B.GetMaximum(), 1);
    B.Add(1.5);
    EXPECT_EQ(Stats(B), "1@0 1.5@2 sum 2.5 up | 1@0 9@1 sum 11.5");

    V.SetOutlier(1, false);
    EXPECT_FALSE(V.GetAnyOutliers());
    EXPECT_EQ(Stats(V), "1@0 5@1 sum 13.5 unordered | 1@0 5@1 sum 13.5");
    V.SetOutlier(0, true);
    V.SetOutlier(0, true);
    EXPECT_EQ(V.GetOutlierIndices().GetCount(), 1);
    EXPECT_EQ(Stats(V), "2@2 5@1 sum 12.5 unordered | 1@0 5@1 sum 13.5");
    V.ClearOutlieres();
    EXPECT_EQ(Stats(V), "1@0 5@1 sum 13.5 unordered | 1@0 5@1 sum 13.5");
}

TEST(DoubleVector, EditsKeepStatisticsExact) {
    // Replacing the maximum with a smaller value, and a middle value with a larger one.
    TFilled V{1, 5, 3};
    V.GetMaximum();
    V.SetValue(1, 2);
    EXPECT_EQ(Stats(V), "1@0 3@2 sum 6 up | 1@0 3@2 sum 6");
    V.SetValue(1, 10);
    EXPECT_EQ(Stats(V), "1@0 10@1 sum 14 unordered | 1@0 10@1 sum 14");

    // An edit inside the range adjusts the sums without a rescan...
    TFilled A{1, 2, 3, 4};
    EXPECT_EQ(A.GetSum(), 10);
    A.SetValue(1, 2.5);
    EXPECT_FALSE(A.IsChanged());
    EXPECT_EQ(Stats(A), "1@0 4@3 sum 10.5 up | 1@0 4@3 sum 10.5");
    // ...unless it ends the ascent or ties an extreme at an earlier index.
    A.SetValue(1, 3.5);
    EXPECT_TRUE(A.IsChanged());
    EXPECT_EQ(Stats(A), "1@0 4@3 sum 11.5 unordered | 1@0 4@3 sum 11.5");
    TFilled T{3, 1, 5};
    EXPECT_EQ(T.GetMinimumIdx(), 1);
    T.SetValue(0, 1);
    EXPECT_EQ(Stats(T), "1@0 5@2 sum 7 unordered | 1@0 5@2 sum 7");

    // Edits of a regular and of a marked value with outliers present.
    TFilled O{1, 8, 2, 4, 9};
    O.AddOutlier(1);
    EXPECT_EQ(Stats(O), "1@0 9@4 sum 16 up | 1@0 9@4 sum 24");
    O.SetValue(2, 3);
    EXPECT_FALSE(O.IsChanged());
    EXPECT_EQ(Stats(O), "1@0 9@4 sum 17 up | 1@0 9@4 sum 25");
    O.SetValue(1, 7);
    EXPECT_EQ(Stats(O), "1@0 9@4 sum 17 up | 1@0 9@4 sum 24");
}

TEST(DoubleVector, InsertShiftsValuesOutliersAndExtremes) {
    TFilled V{1, 2};
    EXPECT_EQ(V.Insert(2, 3), 3);
    EXPECT_EQ(ValuesOf(V), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(MessageOf<ERangeError>([&] { V.Insert(4, 0); }), "i=4 index out of range");

    TFilled M{1, 5, 3};
    M.AddOutlier(2);
    EXPECT_EQ(M.GetMaximumIdx(), 1);
    EXPECT_EQ(M.Insert(1, 4), 4);
    EXPECT_EQ(ValuesOf(M), (std::vector<double>{1, 4, 5, 3}));
    EXPECT_TRUE(M.IsOutlier(3));
    EXPECT_FALSE(M.IsChanged());
    EXPECT_EQ(Stats(M), "1@0 5@2 sum 10 up | 1@0 5@2 sum 13");

    // A 0 inserted below the minimum, and a value that ends the ascent.
    TFilled Z{5, 6, 7};
    Z.GetMinimum();
    Z.Insert(1, 0);
    EXPECT_EQ(Stats(Z), "0@1 7@3 sum 18 unordered | 0@1 7@3 sum 18");
    TFilled D{1, 2, 3};
    D.GetSum();
    D.Insert(1, 2.5);
    EXPECT_EQ(Stats(D), "1@0 3@3 sum 8.5 unordered | 1@0 3@3 sum 8.5");
}

TEST(DoubleVector, DeleteKeepsMarksOnTheirValues) {
    TFilled V{1, 2, 50, 3};
    V.AddOutlier(2);
    V.Delete(10);
    V.Delete(0);
    EXPECT_EQ(ValuesOf(V), (std::vector<double>{2, 50, 3}));
    EXPECT_TRUE(V.IsOutlier(1));
    EXPECT_EQ(Stats(V), "2@0 3@2 sum 5 up | 2@0 50@1 sum 55");
    V.Delete(1);
    EXPECT_EQ(Stats(V), "2@0 3@1 sum 5 up | 2@0 3@1 sum 5");

    // Deleting an extreme rescans; another scanned value only shifts the indices.
    TFilled E{1, 9, 3, 4};
    E.GetMaximum();
    E.Delete(1);
    EXPECT_EQ(Stats(E), "1@0 4@2 sum 8 up | 1@0 4@2 sum 8");
    E.Delete(1);
    EXPECT_FALSE(E.IsChanged());
    EXPECT_EQ(Stats(E), "1@0 4@1 sum 5 up | 1@0 4@1 sum 5");

    // A value no query has seen is not taken off the sums.
    TFilled U{1, 2};
    EXPECT_EQ(U.GetSum(), 3);
    U.Add(5);
    U.Delete(2);
    EXPECT_EQ(Stats(U), "1@0 2@1 sum 3 up | 1@0 2@1 sum 3");
    // Appending after a delete folds only the new value into the sums and extremes.
    E.Add(-7);
    U.Add(8);
    EXPECT_EQ(Stats(E), "-7@2 4@1 sum -2 unordered | -7@2 4@1 sum -2");
    EXPECT_EQ(Stats(U), "1@0 8@2 sum 11 up | 1@0 8@2 sum 11");
}

TEST(DoubleVector, BulkLoadingAndEnumeration) {
    TQvDoubleVector V(nullptr);
    V.AddRange(std::vector<double>{1.5, 2.5});
    V.AddRange(std::vector<float>{3.5f});
    V.AddRange(std::vector<int>{4});
    V.AddRange({5.0, 6.0});
    EXPECT_EQ(ValuesOf(V), (std::vector<double>{1.5, 2.5, 3.5, 4, 5, 6}));
    EXPECT_EQ(V.GetSum(), 22.5);
    EXPECT_EQ(V[5], 6);

    TQvCustomDoubleVectorEnum Enum = V.GetEnumerator();
    std::vector<double> Seen;
    while (Enum.MoveNext())
        Seen.push_back(Enum.GetCurrent());
    EXPECT_EQ(Seen, ValuesOf(V));
    EXPECT_FALSE(Enum.MoveNext());

    // A filled array becomes the storage as it is, a plain vector is copied.
    TQvValueArray Filled{9, 8};
    const double* Storage = Filled.data();
    V.SetValues(std::move(Filled));
    EXPECT_EQ(V.Data(), Storage);
    V.SetValues(std::vector<double>{9, 8});
    EXPECT_EQ(V.GetCapacity(), 2);
    EXPECT_EQ(Stats(V), "8@1 9@0 sum 17 unordered | 8@1 9@0 sum 17");
    V.Add(7);
    EXPECT_EQ(V.GetCapacity(), 130);

    // A long plain vector is copied in blocks on both cores: every value arrives, in place.
    std::vector<double> Long(300'007);
    for (std::size_t i = 0; i < Long.size(); ++i)
        Long[i] = double((i * 7919) % Long.size()) - 5;
    V.SetValues(Long);
    EXPECT_EQ(ValuesOf(V), Long);
    EXPECT_EQ(V.GetMinimumIdx(), 0);
    EXPECT_EQ(V.GetMaximum(), double(Long.size()) - 6);
    // So is a long run added to an empty vector; what follows is appended to it.
    TQvDoubleVector W(nullptr);
    W.AddRange(Long);
    W.AddRange({0.5});
    Long.push_back(0.5);
    EXPECT_EQ(ValuesOf(W), Long);
}

TEST(DoubleVector, UsersHearEachKindOfChange) {
    QStringList Log;
    TQvDoubleVector V(nullptr);
    V.SetName("Vec");
    TLoggingUser S(nullptr, "S", TKind::Series, &Log, &V);
    TLoggingUser X(nullptr, "X", TKind::Series, &Log);
    TLoggingUser F(nullptr, "F", TKind::FunctionSeries, &Log);
    TLoggingUser O(nullptr, "O", TKind::Other, &Log);
    TComponent NotAUser(nullptr);
    for (TComponent* User :
         {(TComponent*)&S, (TComponent*)&X, (TComponent*)&F, (TComponent*)&O, &NotAUser})
        V.AddRelated(User);
    EXPECT_EQ(V.RelatedCount(), 4);
    EXPECT_EQ(V.GetRelated(3), &O);

    // What each user hears from one change.
    auto Heard = [&](const std::function<void()>& Change) {
        Log.clear();
        Change();
        return Log;
    };
    // An unchanged slot, including the fresh 0 of an append, tells nobody.
    V.Add(0);
    V.SetValue(0, 0);
    EXPECT_TRUE(Log.isEmpty());
    EXPECT_EQ(Heard([&] { V.Add(2); }), (QStringList{"S.PointsModified", "X.PointsModified",
                                                     "F.SetLastCount(0)", "O.Modified"}));

    const QStringList Reset{"S.SetLastCount(0)", "X.SetLastCount(0)", "F.SetLastCount(0)",
                            "O.Modified"};
    EXPECT_EQ(Heard([&] { V.AddOutlier(0); }), Reset);
    // Series forget what they kept from the insertion on, since the values there moved.
    EXPECT_EQ(Heard([&] { V.Insert(0, 7); }),
              (QStringList{"S.PointsModified", "X.PointsModified", "F.SetLastCount(0)",
                           "O.Modified", "S.SetLastCount(0)", "S.ValueInsertedLinkedMarkers(0)",
                           "X.SetLastCount(0)", "F.SetLastCount(0)", "O.Modified"}));

    EXPECT_EQ(Heard([&] { V.Delete(0); }), QStringList{"S.DeleteLinkedMarkers(0)"} + Reset);
    EXPECT_EQ(Heard([&] { V.Delete(0, false); }), Reset);
    EXPECT_EQ(Heard([&] { V.Clear(); }),
              (QStringList{"S.ClearLinkedMarkers", "S.RangesModified", "X.RangesModified",
                           "F.RangesModified", "O.Modified"}));
    EXPECT_EQ(Heard([&] { V.Clear(false); }), (QStringList{"S.RangesModified", "X.RangesModified",
                                                           "F.RangesModified", "O.Modified"}));

    // Entries are counted: each RemoveRelated takes one away.
    V.AddRelated(&X);
    V.RemoveRelated(&X);
    V.RemoveRelated(&F);
    EXPECT_EQ(V.RelatedCount(), 3);
    EXPECT_EQ(Heard([&] { V.AddRange({1.0}); }),
              (QStringList{"S.SetLastCount(0)", "O.Modified", "X.SetLastCount(0)"}));
}

TEST(DoubleVector, UsersFreedFirstLeaveNoEntries) {
    QStringList Log;
    TComponent Owner(nullptr);
    auto* V = new TQvDoubleVector(&Owner);
    V->SetName("Vec");
    auto* Sibling = new TLoggingUser(&Owner, "S", TKind::Series, &Log);
    auto* Stranger = new TLoggingUser(nullptr, "T", TKind::Other, &Log);
    Stranger->SetName("Stranger");
    V->AddRelated(Sibling);
    V->AddRelated(Sibling);
    V->AddRelated(Stranger);
    delete Sibling;
    EXPECT_EQ(V->RelatedCount(), 1);
    delete Stranger;
    EXPECT_EQ(V->RelatedCount(), 0);
    V->Add(1);
    V->Clear();
    EXPECT_TRUE(Log.isEmpty());

    // A vector freed first tells its users, which asked for nothing themselves.
    auto* User = new TLoggingUser(nullptr, "U", TKind::Series, &Log);
    V->AddRelated(User);
    delete V;
    EXPECT_EQ(Log, QStringList{"U.Removed Vec"});
    delete User;
}

TEST(Indexer, ValueIIsIAndFollowsItsReference) {
    auto* Ref = new TFilled{7, 7, 7, 7, 7};
    TQvIndexer I(nullptr);
    EXPECT_EQ(I.GetCount(), 0);
    EXPECT_EQ(I.GetValue(3), 0);
    EXPECT_FALSE(I.IsChanged());
    I.SetRefVector(Ref);
    EXPECT_EQ(ValuesOf(I), (std::vector<double>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(I.IsChanged());
    EXPECT_EQ(Stats(I), "0@0 4@4 sum 10 up | 0@0 4@4 sum 10");
    EXPECT_EQ(I.Data(), nullptr);
    Ref->GetSum();
    EXPECT_FALSE(I.IsChanged());
    EXPECT_EQ(MessageOf<EExternal>([&] { I.SetValue(0, 1); }),
              "TQvIndexer is not supposed to set values!");
    EXPECT_EQ(MessageOf<EExternal>([&] { I.Add(1); }), "TQvIndexer is not supposed to set values!");

    Ref->Clear();
    EXPECT_EQ(Stats(I), "0@-1 0@-1 sum 0 up | 0@-1 0@-1 sum 0");
    delete Ref;
    EXPECT_EQ(I.GetRefVector(), nullptr);
    EXPECT_EQ(I.GetCount(), 0);
}

TEST(AuxiliaryVectors, GrowByIncrementAndCheckIndices) {
    EXPECT_EQ(TQvIntegerVector().GetIncrement(), 128);
    EXPECT_EQ(TQvIntegerVector(-3).GetCapacity(), 128);
    TQvIntegerVector V(5);
    for (int i = 1; i <= 4; ++i)
        V.Add(i);
    EXPECT_EQ(V.GetCapacity(), 5);
    EXPECT_EQ(V.Add(5), 5);
    EXPECT_EQ(V.GetCapacity(), 10);
    V.SetValue(12, 7);
    EXPECT_EQ(V.GetCount(), 13);
    EXPECT_EQ(V.GetCapacity(), 15);
    EXPECT_EQ(V.GetValue(11), 0);
    EXPECT_EQ(MessageOf<ERangeError>([&] { V.GetValue(13); }), "i=13 index out of range");
    V.Delete(0);
    V.Delete(99);
    EXPECT_EQ(V.GetCount(), 12);
    EXPECT_EQ(V.GetValue(0), 2);
    V.SetCapacity(14);
    EXPECT_EQ(V.GetCapacity(), 15);
    V.SetCapacity(20);
    EXPECT_EQ(V.GetCapacity(), 20);
    V.SetCount(3);
    EXPECT_EQ(V.GetCapacity(), 3);
    EXPECT_EQ(std::vector<int>(V.begin(), V.end()), (std::vector<int>{2, 3, 4}));
    V.Clear();
    EXPECT_EQ(V.GetCount(), 0);
    EXPECT_EQ(V.GetCapacity(), 3);

    TQvBooleanVector B;
    B.Add(true);
    B.Add(false);
    B.SetValue(3, true);
    EXPECT_EQ(std::vector<bool>(B.begin(), B.end()), (std::vector<bool>{true, false, false, true}));

    TQvPointVector P;
    P.Add(1, 2);
    P.SetX(0, 5);
    P.SetY(3, 9);
    EXPECT_EQ(P.GetCount(), 4);
    EXPECT_EQ(P.GetX(0), 5);
    EXPECT_EQ(P.GetY(0), 2);
    EXPECT_EQ(P.GetValue(3), (TGPPointF{0, 9}));
    EXPECT_EQ(MessageOf<ERangeError>([&] { P.GetY(4); }), "i=4 index out of range");
    std::vector<float> Ys;
    TQvPointVectorEnum Enum = P.GetEnumerator();
    while (Enum.MoveNext())
        Ys.push_back(Enum.GetCurrent().Y);
    EXPECT_EQ(Ys, (std::vector<float>{2, 0, 0, 9}));
}
