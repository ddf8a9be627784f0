#pragma once

// The application object, the screen with its forms and data modules (the top-level
// components that references are resolved from), and the idle hook.

#include "framework/qvcontrols.h"

#include <QList>
#include <QMutex>

#include <exception>
#include <functional>
#include <map>

class TApplication : public TComponent {
    Q_OBJECT
public:
    explicit TApplication(TComponent* AOwner = nullptr);

    // Registers a handler called whenever the application waits for input; returns its id.
    int AddIdleHandler(std::function<void()> Handler);
    // Unregisters the idle handler Id.
    void RemoveIdleHandler(int Id);
    // One idle pass: calls every registered handler once.
    void DoIdle();

    // Full path of the executable.
    QString ExeName() const;
    // Handles the events that wait.
    void ProcessMessages();

    // Qt lets no exception cross its event loop: one that reaches it from a window's handler or
    // an idle handler comes here. It goes to OnException when set, else to the log as a warning.
    using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& Error)>;
    const TExceptionEvent& GetOnException() const { return FOnException; }
    void SetOnException(TExceptionEvent Value) { FOnException = std::move(Value); }
    // Reports an exception that Qt's event loop must not see.
    void HandleException(TObject* Sender, const std::exception& Error);
    // Runs Action where Qt calls in (a Qt widget's signal): an exception goes to
    // HandleException instead of into Qt's event loop.
    void Guarded(TObject* Sender, const std::function<void()>& Action);

private:
    void ConnectDispatcher();

    TExceptionEvent FOnException;

    std::map<int, std::function<void()>> FIdleHandlers;
    int FNextIdleId = 1;
    bool FDispatcherConnected = false;
};

// The process-wide application component. Components it owns are freed when the
// QApplication goes.
TApplication* Application();

// Calls a handler at every idle pass for as long as the hook lives.
class TIdleHook {
public:
    explicit TIdleHook(std::function<void()> Handler);
    ~TIdleHook();
    TIdleHook(const TIdleHook&) = delete;
    TIdleHook& operator=(const TIdleHook&) = delete;

private:
    int FId;
};

class TForm;
class TDataModule;

// The forms and data modules that exist, where component references start. Forms and data
// modules may be made in any thread, so the lists lock.
class TScreen {
public:
    // The number of forms, and form Index.
    int FormCount() const;
    TForm* Forms(int Index) const;
    // The number of data modules, and data module Index.
    int DataModuleCount() const;
    TDataModule* DataModules(int Index) const;
    // The data module, else the form, called Name (case-insensitive); nullptr if none.
    TComponent* FindTopLevel(const QString& Name) const;

    // Application-wide cursor that overrides every control's cursor; crDefault ends it. Only
    // the thread of the application's windows changes it; elsewhere setting it does nothing.
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);

private:
    friend class TForm;
    friend class TDataModule;
    mutable QMutex FGuard;
    QList<TForm*> FForms;
    QList<TDataModule*> FDataModules;
    TCursor FCursor = crDefault;
};

TScreen* Screen();

// A top-level window; hidden until shown.
class TForm : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
public:
    Q_INVOKABLE explicit TForm(TComponent* AOwner);
    ~TForm() override;

    const QString& GetCaption() const { return FCaption; }
    void SetCaption(const QString& Value);

protected:
    void HostCreated(QWidget* Host) override;

private:
    QString FCaption;
};

// A non-visual container of components.
class TDataModule : public TComponent {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TDataModule(TComponent* AOwner);
    ~TDataModule() override;
};

// ---- References to components by name ----

// The names of the owner chain below the application joined by points ("Form1.Graph1.Series1");
// empty for nullptr, an unnamed component or an unnamed owner in the chain.
QString GetComponentRef(const TComponent* Component);
// The component a reference names, starting from the data modules, then the forms of the
// screen (then the application's other components); nullptr when any step fails.
TComponent* GetComponentFromRef(const QString& Ref);
// The text before the last point (empty when there is none) and after it.
QString OwnerName(const QString& Ref);
QString ComponentName(const QString& Ref);
// The component OwnerName(Ref) names, or the application when that is empty.
TComponent* RefOwner(const QString& Ref);
// Base followed by the first number from 1 that no component of Owner has as its name.
QString UniqueName(const TComponent* Owner, const QString& Base);
