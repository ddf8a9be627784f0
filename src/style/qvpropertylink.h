#pragma once

// Property links bind one published property of an editor control (its value) to published
// properties of other components named by text, so that a form binds editors to chart settings
// without code: setting the control's value writes every linked property, and while the
// application waits for input the control follows the first one.

#include "framework/qvclasses.h"
#include "framework/qvforms.h"
#include "framework/qvstringlist.h"
#include "style/qvgditypes.h"
#include "style/qvstyletypes.h"

#include <QMetaProperty>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <vector>

class TFiler;

// A link text is a path of names joined by points: a form or data module, then components each
// owned by the one before or published properties of the object reached so far; a property
// holding an object steps into it, and the first property holding a value ends the path
// ("MainForm.Series1.LineSettings.Color"). A text that leads nowhere leaves its link unresolved:
// it is skipped, and LinkError tells why.
class TQvPropertyLinks : public TPersistent {
    Q_OBJECT
public:
    // PropName is the owner's published property the links follow; EFilerError when it has none.
    TQvPropertyLinks(TComponent* AOwner, const char* PropName);
    ~TQvPropertyLinks() override;

    TStrings* GetItems() const { return FItems.get(); }
    // Copies the texts; they are resolved again at the next idle pass or CheckLink.
    void SetItems(TStrings* Value);

    // Writes Value into every resolved link, as one undo step on each undo stack that records
    // a change. Nothing happens while the owner follows its first link or is being read.
    void SetLink(int Value);
    void SetLink(std::uint32_t Value);
    void SetLink(bool Value);
    void SetLink(double Value);
    void SetLink(const QString& Value);
    void SetLink(TGPDashStyle Value);
    void SetLink(TQvAreaStyle Value);
    void SetLink(TQvPointSymbol Value);

    // Resolves the texts when they changed; the owner then takes the first link's value.
    void CheckLink();
    // Rewrites every resolved text from its component's current reference, so that links
    // survive a renamed component.
    void UpdateLinkNames();
    // The owner passes on removals: links through a removed component are cleared.
    void Notification(TComponent* AComponent, TOperation Operation);
    // The owner takes the first link's value when it differs from its own.
    void DoIdle();

    // Whether the text of item Index leads to a property, and why not (empty when it does).
    bool LinkResolved(int Index) const;
    // Why the text of item Index leads to no property; empty when it does.
    QString LinkError(int Index) const;

    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler* Filer) override;

private:
    struct TLink {
        QPointer<QObject> Instance;
        QMetaProperty Property;
        // The component the path last named and the path's rest after it.
        TComponent* Component = nullptr;
        QString Path;
        // Every component on the way, whose removal breaks the link.
        QList<TComponent*> Chain;
        QString Error;
        bool Valid() const { return Instance && Property.isValid(); }
    };

    TLink Resolve(const QString& Text) const;
    void WriteLinks(const QVariant& Value);
    // The first link's value as the owner's property type; invalid without a first link.
    QVariant FirstLinkValue() const;
    void FollowFirstLink();

    bool FNeedsResolution = true;
    bool FFollowing = false;
    TComponent* FOwner;
    QMetaProperty FOwnerProperty;
    std::unique_ptr<TStringList> FItems;
    std::vector<TLink> FLinks;
    TIdleHook FIdle;
};
