#include "pie/qvfillpalette.h"

#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "series/qvseries.h"
#include "strings/qvlocalize.h"

#include <algorithm>

using namespace Qvlocalize;

// ---- TQvFillSettings ----

TQvFillSettings::TQvFillSettings(ModifiedCallback Callback)
    : TQvStyleSettings(std::move(Callback)) {}

void TQvFillSettings::SetForeColor(TQvColor Value) {
    Change(FForeColor, Value, "ForeColor", SAreaForeColor);
}

void TQvFillSettings::SetBackColor(TQvColor Value) {
    Change(FBackColor, Value, "BackColor", SAreaBackColor);
}

void TQvFillSettings::SetAreaStyle(TQvAreaStyle Value) {
    Change(FAreaStyle, Value, "AreaStyle", SAreaStyle);
}

std::unique_ptr<TGPBrush> TQvFillSettings::GetBrush() const {
    return GetAreaBrush(FAreaStyle, FForeColor, FBackColor);
}

void TQvFillSettings::DrawListItem(const TQvLegendItemDrawArgs& Args) const {
    // The rectangle holds left and top, then width and height.
    const TGPRectF Box{float(Args.Rect.Left), float(Args.Rect.Top), float(Args.Rect.Right),
                       float(Args.Rect.Bottom)};
    Args.Graphics->FillRectangle(*GetBrush(), Box);
    Args.Graphics->DrawRectangle(TGPPen(0xFF000000, 1), Box);
}

void TQvFillSettings::Assign(TPersistent* Source) {
    auto* Other = qobject_cast<TQvFillSettings*>(Source);
    if (!Other) {
        TQvStyleSettings::Assign(Source);
        return;
    }
    FForeColor = Other->FForeColor;
    FBackColor = Other->FBackColor;
    FAreaStyle = Other->FAreaStyle;
    Modified();
}

// ---- TQvFillPalette ----

TQvFillPalette::TQvFillPalette(TComponent* AOwner) : TComponent(AOwner) {}

TQvFillPalette::~TQvFillPalette() = default;

void TQvFillPalette::CheckIndex(int Index, int Last) const {
    if (Index < 0 || Index > Last) throw ERangeError(Format(SListIndexError, {Index}));
}

TQvFillSettings* TQvFillPalette::Items(int Index) const {
    CheckIndex(Index, Count() - 1);
    return FItems[size_t(Index)].get();
}

std::unique_ptr<TQvFillSettings> TQvFillPalette::NewItem() {
    return std::make_unique<TQvFillSettings>([this] { Changed(); });
}

TQvFillSettings* TQvFillPalette::Add() {
    return Insert(Count());
}

TQvFillSettings* TQvFillPalette::Insert(int Index) {
    CheckIndex(Index, Count());
    auto Item = FItems.insert(FItems.begin() + Index, NewItem());
    Changed();
    return Item->get();
}

void TQvFillPalette::Delete(int Index) {
    CheckIndex(Index, Count() - 1);
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TQvFillPalette::Move(int From, int To) {
    CheckIndex(From, Count() - 1);
    CheckIndex(To, Count() - 1);
    if (From == To) return;
    auto Item = std::move(FItems[size_t(From)]);
    FItems.erase(FItems.begin() + From);
    FItems.insert(FItems.begin() + To, std::move(Item));
    Changed();
}

void TQvFillPalette::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

void TQvFillPalette::FillDefaults() {
    for (const char* Name : {"CornflowerBlue", "Maroon", "LemonChiffon", "PaleTurquoise", "Sienna",
                             "Coral", "SteelBlue", "Lavender"})
        Add()->SetForeColor(ColorToARGB(QString::fromLatin1(Name)));
}

void TQvFillPalette::AddUser(const void* User, std::function<void()> Changed) {
    RemoveUser(User);
    FUsers.emplace_back(User, std::move(Changed));
}

void TQvFillPalette::RemoveUser(const void* User) {
    std::erase_if(FUsers, [User](const auto& Entry) { return Entry.first == User; });
}

void TQvFillPalette::Changed() const {
    for (const auto& Entry : FUsers)
        Entry.second();
}

void TQvFillPalette::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    Filer->DefineProperty(
        QStringLiteral("Items"), [this](TReader* Reader) { ReadItems(Reader); },
        [this](TWriter* Writer) { WriteItems(Writer); }, !FItems.empty());
}

// Each entry as fore colour, back colour and area style.
void TQvFillPalette::ReadItems(TReader* Reader) {
    std::vector<std::unique_ptr<TQvFillSettings>> Items;
    Reader->ReadListBegin();
    while (!Reader->EndOfList()) {
        auto Item = NewItem();
        Item->SetForeColor(TQvColor(Reader->ReadInt64()));
        Item->SetBackColor(TQvColor(Reader->ReadInt64()));
        const int Style = Reader->ReadInteger();
        if (Style < 0 || Style > int(TQvAreaStyle::Total))
            throw EReadError(SInvalidPropertyValue.Text());
        Item->SetAreaStyle(TQvAreaStyle(Style));
        Items.push_back(std::move(Item));
    }
    Reader->ReadListEnd();
    FItems = std::move(Items);
    Changed();
}

void TQvFillPalette::WriteItems(TWriter* Writer) const {
    Writer->WriteListBegin();
    for (const auto& Item : FItems) {
        Writer->WriteInteger(Item->GetForeColor());
        Writer->WriteInteger(Item->GetBackColor());
        Writer->WriteInteger(int(Item->GetAreaStyle()));
    }
    Writer->WriteListEnd();
}
