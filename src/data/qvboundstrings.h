#pragma once

// Lines of text a component shows (axis rubrics, bar captions): its own string list, a foreign
// one it listens to, or the texts of one field of a data set, read again once they went stale.

#include "framework/qvstringlist.h"

#include <QPointer>

#include <functional>
#include <memory>

class TComponent;
class TDataSource;
class TQvListLink;

class TQvBoundStrings {
public:
    // Holder is the component that shows the lines and hears of a freed data source. Changing
    // runs before the user changes the lines (undo records them), Changed after every change.
    TQvBoundStrings(TComponent* Holder, std::function<void()> Changing,
                    std::function<void()> Changed);
    ~TQvBoundStrings();
    TQvBoundStrings(const TQvBoundStrings&) = delete;
    TQvBoundStrings& operator=(const TQvBoundStrings&) = delete;

    // The lines shown, also while they come from the data set.
    TStrings* Lines() const { return FList ? FList.data() : FOwn.get(); }
    // nullptr while the binding is set.
    TStrings* Get() const { return FBound ? nullptr : Lines(); }
    // Takes a foreign list over; a string list reports its changes here and still to its own
    // handlers. nullptr empties the lines. While bound, a list raises Exception(BoundMessage).
    // Returns whether another list is used now.
    bool Set(TStrings* Value, const QString& BoundMessage);
    // Lines read from a document: they replace a binding.
    void SetLines(const QStringList& Lines);

    // The lines come from a field of a data set.
    bool Bound() const { return FBound; }
    QString GetField() const;
    void SetField(const QString& Value);
    TDataSource* GetDataSource() const;
    void SetDataSource(TDataSource* Value);
    // For the holder's Notification: a freed source ends the binding.
    void SourceFreed(const TComponent* Component);
    // Reloads the lines, one per record ("" for a null field), when the data set changed.
    void Update();

private:
    void Release();
    void ListChanging(TObject* Sender);
    void ListChanged(TObject* Sender);

    std::function<void()> FChanging, FChanged;
    std::unique_ptr<TStringList> FOwn;
    QPointer<TStrings> FList; // a foreign list, else null
    TNotifyEvent FSavedChange, FSavedChanging;
    std::unique_ptr<TQvListLink> FLink;
    TComponent* FHolder;
    TDataSource* FSource = nullptr;
    bool FBound = false;
    bool FStale = false;
    bool FReading = false;
};
