#include "framework/qvforms.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QThread>
#include <QWidget>

// ---- TApplication ----

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

int TApplication::AddIdleHandler(std::function<void()> Handler) {
    ConnectDispatcher();
    const int Id = FNextIdleId++;
    FIdleHandlers.emplace(Id, std::move(Handler));
    return Id;
}

void TApplication::RemoveIdleHandler(int Id) {
    FIdleHandlers.erase(Id);
}

void TApplication::DoIdle() {
    // Handlers may add or remove handlers: walk the ids present at the start.
    std::vector<int> Ids;
    for (const auto& Entry : FIdleHandlers)
        Ids.push_back(Entry.first);
    for (int Id : Ids) {
        auto It = FIdleHandlers.find(Id);
        if (It == FIdleHandlers.end()) continue;
        Guarded(this, std::function<void()>(It->second));
    }
}

void TApplication::ConnectDispatcher() {
    if (FDispatcherConnected || !QCoreApplication::instance()) return;
    auto* Dispatcher = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread());
    if (!Dispatcher) return;
    // The event loop is about to wait for input: that is the idle moment.
    QObject::connect(Dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                     [this] { DoIdle(); });
    FDispatcherConnected = true;
}

void TApplication::HandleException(TObject* Sender, const std::exception& Error) {
    if (FOnException)
        FOnException(Sender, Error);
    else
        qWarning("%s", Error.what());
}

void TApplication::Guarded(TObject* Sender, const std::function<void()>& Action) {
    const QPointer<TObject> Guard(Sender);
    try {
        Action();
    } catch (const std::exception& Error) {
        HandleException(Guard, Error);
    }
}

QString TApplication::ExeName() const {
    return QCoreApplication::applicationFilePath();
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents();
}

namespace {
TApplication* TheApplication = nullptr;

void FreeApplicationComponents() {
    // Widgets must go before the QApplication does.
    if (!TheApplication) return;
    while (TheApplication->ComponentCount() > 0)
        delete TheApplication->Components(0);
}
} // namespace

TApplication* Application() {
    if (!TheApplication) {
        TheApplication = new TApplication();
        if (QCoreApplication::instance()) qAddPostRoutine(FreeApplicationComponents);
    }
    return TheApplication;
}

TIdleHook::TIdleHook(std::function<void()> Handler)
    : FId(Application()->AddIdleHandler(std::move(Handler))) {}

TIdleHook::~TIdleHook() {
    Application()->RemoveIdleHandler(FId);
}

// ---- TScreen ----

TScreen* Screen() {
    // Lives as long as the process: data modules owned by the application go after static
    // objects are destroyed.
    static auto* Instance = new TScreen;
    return Instance;
}

int TScreen::FormCount() const {
    const QMutexLocker Lock(&FGuard);
    return int(FForms.size());
}

TForm* TScreen::Forms(int Index) const {
    const QMutexLocker Lock(&FGuard);
    return FForms.at(Index);
}

int TScreen::DataModuleCount() const {
    const QMutexLocker Lock(&FGuard);
    return int(FDataModules.size());
}

TDataModule* TScreen::DataModules(int Index) const {
    const QMutexLocker Lock(&FGuard);
    return FDataModules.at(Index);
}

TComponent* TScreen::FindTopLevel(const QString& Name) const {
    const QMutexLocker Lock(&FGuard);
    for (TDataModule* Module : FDataModules)
        if (Module->GetName().compare(Name, Qt::CaseInsensitive) == 0) return Module;
    for (TForm* Form : FForms)
        if (Form->GetName().compare(Name, Qt::CaseInsensitive) == 0) return Form;
    return nullptr;
}

void TScreen::SetCursor(TCursor Value) {
    if (FCursor == Value) return;
    if (qGuiApp) {
        if (QThread::currentThread() != qGuiApp->thread()) return;
        if (FCursor != crDefault) QGuiApplication::restoreOverrideCursor();
        if (Value != crDefault) QGuiApplication::setOverrideCursor(QCursor(CursorShape(Value)));
    }
    FCursor = Value;
}

// ---- TForm ----

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    FVisible = false;
    SetBounds(0, 0, 640, 480);
    const QMutexLocker Lock(&Screen()->FGuard);
    Screen()->FForms.append(this);
}

TForm::~TForm() {
    const QMutexLocker Lock(&Screen()->FGuard);
    Screen()->FForms.removeOne(this);
}

void TForm::SetCaption(const QString& Value) {
    FCaption = Value;
    if (HandleAllocated()) Widget()->setWindowTitle(Value);
}

void TForm::HostCreated(QWidget* Host) {
    Host->setWindowTitle(FCaption);
}

// ---- TDataModule ----

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner) {
    const QMutexLocker Lock(&Screen()->FGuard);
    Screen()->FDataModules.append(this);
}

TDataModule::~TDataModule() {
    const QMutexLocker Lock(&Screen()->FGuard);
    Screen()->FDataModules.removeOne(this);
}

// ---- component references ----

QString GetComponentRef(const TComponent* Component) {
    if (!Component || Component->GetName().isEmpty()) return QString();
    QStringList Names{Component->GetName()};
    for (const TComponent* Owner = Component->GetOwner(); Owner && Owner != Application();
         Owner = Owner->GetOwner()) {
        if (Owner->GetName().isEmpty()) return QString();
        Names.prepend(Owner->GetName());
    }
    return Names.join(u'.');
}

TComponent* GetComponentFromRef(const QString& Ref) {
    const QStringList Names = Ref.split(u'.');
    if (Ref.isEmpty() || Names.first().isEmpty()) return nullptr;
    TComponent* Found = Screen()->FindTopLevel(Names.first());
    if (!Found) Found = Application()->FindComponent(Names.first());
    for (qsizetype i = 1; i < Names.size() && Found; ++i)
        Found = Found->FindComponent(Names[i]);
    return Found;
}

QString OwnerName(const QString& Ref) {
    const qsizetype Point = Ref.lastIndexOf(u'.');
    return Point < 0 ? QString() : Ref.left(Point);
}

QString ComponentName(const QString& Ref) {
    return Ref.mid(Ref.lastIndexOf(u'.') + 1);
}

TComponent* RefOwner(const QString& Ref) {
    const QString Owner = OwnerName(Ref);
    return Owner.isEmpty() ? Application() : GetComponentFromRef(Owner);
}

QString UniqueName(const TComponent* Owner, const QString& Base) {
    for (int k = 1;; ++k) {
        const QString Name = Base + QString::number(k);
        if (!Owner || !Owner->FindComponent(Name)) return Name;
    }
}
