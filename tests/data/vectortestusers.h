#pragma once

// Helpers of the vector tests: the values of a vector, and a stand-in for the series and charts
// that use vectors, which logs every call it receives.

#include <data/qvvectors.h>

#include <QStringList>

#include <vector>

inline std::vector<double> ValuesOf(const TQvCustomDoubleVector& Vector) {
    return std::vector<double>(Vector.begin(), Vector.end());
}

class TLoggingUser : public TComponent, public TQvVectorUser {
public:
    TLoggingUser(TComponent* AOwner, const QString& Tag, TKind Kind, QStringList* Log,
                 const TQvCustomDoubleVector* YData = nullptr)
        : TComponent(AOwner), FTag(Tag), FKind(Kind), FLog(Log), FYData(YData) {}

    TKind VectorUserKind() const override { return FKind; }
    bool UsesAsYData(const TQvCustomDoubleVector* Vector) const override {
        return Vector == FYData;
    }
    void SetLastCount(int N) override { Write(QString("SetLastCount(%1)").arg(N)); }
    void PointsModified() override { Write("PointsModified"); }
    void RangesModified() override { Write("RangesModified"); }
    void ClearLinkedMarkers() override { Write("ClearLinkedMarkers"); }
    void DeleteLinkedMarkers(int Index) override {
        Write(QString("DeleteLinkedMarkers(%1)").arg(Index));
    }
    void ValueInsertedLinkedMarkers(int Index) override {
        Write(QString("ValueInsertedLinkedMarkers(%1)").arg(Index));
    }
    void Modified() override { Write("Modified"); }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::Remove) Write("Removed " + AComponent->GetName());
    }

private:
    void Write(const QString& Text) { FLog->append(FTag + "." + Text); }

    QString FTag;
    TKind FKind;
    QStringList* FLog;
    const TQvCustomDoubleVector* FYData;
};
