#pragma once

// The fills of pie segments: TQvFillSettings is one fill (solid or hatched), TQvFillPalette an
// ordered list of them that segments take their fills from in turn.

#include "style/qvstyles.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TFiler;
class TReader;
class TWriter;
struct TQvLegendItemDrawArgs;

class TQvFillSettings : public TQvStyleSettings {
    Q_OBJECT
    Q_PROPERTY(TQvColor ForeColor READ GetForeColor WRITE SetForeColor)
    Q_PROPERTY(TQvColor BackColor READ GetBackColor WRITE SetBackColor)
    Q_PROPERTY(QvStyle::TQvAreaStyle AreaStyle READ GetAreaStyle WRITE SetAreaStyle)
public:
    explicit TQvFillSettings(ModifiedCallback Callback = {});

    TQvColor GetForeColor() const { return FForeColor; }
    void SetForeColor(TQvColor Value);
    TQvColor GetBackColor() const { return FBackColor; }
    void SetBackColor(TQvColor Value);
    TQvAreaStyle GetAreaStyle() const { return FAreaStyle; }
    void SetAreaStyle(TQvAreaStyle Value);
    // The fill is solid, not hatched.
    bool Solid() const { return FAreaStyle == TQvAreaStyle::Total; }

    std::unique_ptr<TGPBrush> GetBrush() const;
    // A legend sample: the rectangle filled and outlined.
    void DrawListItem(const TQvLegendItemDrawArgs& Args) const;
    void Assign(TPersistent* Source) override;

private:
    TQvColor FForeColor = 0xFFD3D3D3;
    TQvColor FBackColor = 0xFFA9A9A9;
    TQvAreaStyle FAreaStyle = TQvAreaStyle::Total;
};

// An ordered list of fills that the segments of a pie take in turn.
class TQvFillPalette : public TComponent {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQvFillPalette(TComponent* AOwner);
    ~TQvFillPalette() override;

    // The number of fills.
    int Count() const { return int(FItems.size()); }
    // ERangeError for an index outside 0 .. Count-1.
    TQvFillSettings* Items(int Index) const;
    // Appends a new fill and returns it.
    TQvFillSettings* Add();
    // Index may be Count, which appends.
    TQvFillSettings* Insert(int Index);
    // Frees the fill at Index.
    void Delete(int Index);
    // Moves the fill at From to To.
    void Move(int From, int To);
    // Frees every fill.
    void Clear();
    // Appends the eight standard solid fills.
    void FillDefaults();

    // Users (pie charts) hear of every change until they leave.
    void AddUser(const void* User, std::function<void()> Changed);
    // Stops telling User of changes.
    void RemoveUser(const void* User);

protected:
    // The entries are stored with the form as the list "Items".
    void DefineProperties(TFiler* Filer) override;

private:
    void CheckIndex(int Index, int Last) const;
    std::unique_ptr<TQvFillSettings> NewItem();
    void Changed() const;
    void ReadItems(TReader* Reader);
    void WriteItems(TWriter* Writer) const;

    std::vector<std::unique_ptr<TQvFillSettings>> FItems;
    std::vector<std::pair<const void*, std::function<void()>>> FUsers;
};
