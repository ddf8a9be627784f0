#pragma once

// A series whose own part of every record is one list of fields, written after the part of
// the series it derives from: VisitRecord names each field once for the three forms.

#include "framework/qvxml.h"
#include "strings/qvlocalize.h"
#include "style/qvrecord.h"
#include "undo/qvundostack.h"

// A series whose own record fields are named once, in VisitRecord, for all three record forms.
template <class Base> class TQvRecordedSeries : public Base {
public:
    using Base::Base;
    using typename Base::TApplyRecord;

protected:
    virtual void VisitRecord(QvRecord::TRecord& R) = 0;

    // A setting of the series' own changes from Old to Value: recorded for undo under Caption,
    // applied, and the curve calculated and drawn anew.
    template <class T, class F>
    void ChangeSetting(const T& Old, const T& Value, const char* PropName,
                       const TResourceString& Caption, F Apply) {
        if (Old == Value) return;
        if (this->FUndoStack)
            this->FUndoStack->PushProperty(this, Caption.Text(), QString::fromLatin1(PropName));
        Apply();
        this->SetLastCount(0);
        this->Invalidate();
    }

    void WriteOwnRecord(QIODevice* Stream) const override {
        Base::WriteOwnRecord(Stream);
        QvRecord::Write(Stream, Visit());
    }
    TApplyRecord ReadOwnRecord(QIODevice* Stream) override {
        TApplyRecord Inherited = Base::ReadOwnRecord(Stream);
        return Joined(std::move(Inherited), QvRecord::Read(Stream, Visit()));
    }
    void WriteOwnRecord(IXMLNode Element) const override {
        Base::WriteOwnRecord(Element);
        QvRecord::Write(Element, Visit());
    }
    TApplyRecord ReadOwnRecord(const IXMLNode& Element) override {
        TApplyRecord Inherited = Base::ReadOwnRecord(Element);
        return Joined(std::move(Inherited), QvRecord::Read(Element, Visit()));
    }
    void WriteOwnRecord(TCustomIniFile* Ini, const QString& Section) const override {
        Base::WriteOwnRecord(Ini, Section);
        QvRecord::Write(Ini, Section, Visit());
    }
    TApplyRecord ReadOwnRecord(TCustomIniFile* Ini, const QString& Section) override {
        TApplyRecord Inherited = Base::ReadOwnRecord(Ini, Section);
        return Joined(std::move(Inherited), QvRecord::Read(Ini, Section, Visit()));
    }

private:
    // Writing only reads the fields; the setters a record lists are not called.
    QvRecord::TVisit Visit() const {
        return
            [this](QvRecord::TRecord& R) { const_cast<TQvRecordedSeries*>(this)->VisitRecord(R); };
    }
    static TApplyRecord Joined(TApplyRecord Inherited, QvRecord::TLoaded Own) {
        return [Inherited = std::move(Inherited), Own = std::move(Own)] {
            if (Inherited) Inherited();
            Own.Apply();
        };
    }
};
