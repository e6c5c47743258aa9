// A small window with the library's controls: a spin edit, an integer edit
// in each colour state of a UI control, and a few calculator keys, one of
// them repeating. "--screenshot FILE" saves a picture of the window and
// exits.
#include "brix/widgets/spinedits.h"
#include "brix/widgets/uictrls.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

using namespace Brix;

namespace {

struct TDemoWindow : QWidget
{
    TDemoWindow()
    {
        setWindowTitle(QStringLiteral("Brix controls"));
        UI = TBrixUICtrl::Create();
        UI->ColorSettings()->SetShowSignDifference(true);
        UI->ColorSettings()->SetShowHotTracking(true);

        auto *Layout = new QVBoxLayout(this);
        auto *Edits = new QGroupBox(QStringLiteral("Integer edits by state"), this);
        auto *Form = new QFormLayout(Edits);
        const auto AddEdit = [&](const QString &Caption, int Value) {
            auto *Edit = new TBrixIntEdit(Edits);
            Edit->SetUICtrl(UI);
            Edit->SetAsInteger(Value);
            Form->addRow(Caption, Edit);
            return Edit;
        };
        Normal = AddEdit(QStringLiteral("Normal"), 1234);
        Focused = AddEdit(QStringLiteral("Focused"), 42);
        Hot = AddEdit(QStringLiteral("Under the pointer"), 7);
        AddEdit(QStringLiteral("Negative"), -250);
        AddEdit(QStringLiteral("Read-only"), 100)->SetReadOnly(true);
        AddEdit(QStringLiteral("Disabled"), 0)->setEnabled(false);
        auto *Null = AddEdit(QStringLiteral("Null (Ctrl+N)"), 0);
        Null->SetNull(true);
        Layout->addWidget(Edits);

        auto *Places = new QHBoxLayout;
        Places->addWidget(new QLabel(QStringLiteral("Decimal places"), this));
        Spin = new TBrixSpinEdit(this);
        Spin->SetUICtrl(UI);
        Spin->SetMaxValue(100);
        Spin->SetValue(2);
        Spin->setAlignment(Qt::AlignCenter);
        Spin->SetEditorEnabled(false);
        Spin->setFixedWidth(70);
        Places->addWidget(Spin);
        Places->addStretch();
        Layout->addLayout(Places);

        auto *Keys = new QGroupBox(QStringLiteral("Keys (hold + to repeat)"), this);
        auto *Grid = new QGridLayout(Keys);
        Display = new QLabel(QStringLiteral("0"), Keys);
        Display->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        Display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Grid->addWidget(Display, 0, 0, 1, 4);
        const QString Captions[] = {QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
                                    QStringLiteral("+"), QStringLiteral("4"), QStringLiteral("5"),
                                    QStringLiteral("6"), QStringLiteral("C")};
        for (int I = 0; I < 8; ++I) {
            auto *Key = new TBrixSpeedButton(Keys);
            Key->setText(Captions[I]);
            Key->setMinimumSize(40, 30);
            const QString Caption = Captions[I];
            if (Caption == QLatin1String("+")) {
                Key->SetRepeatable(true);
                Key->SetHint(QStringLiteral("Adds one; repeats while held"));
                Key->SetOnClick(
                    [this](TObject *) { Display->setNum(Display->text().toInt() + 1); });
            } else if (Caption == QLatin1String("C")) {
                Key->SetOnClick([this](TObject *) { Display->setNum(0); });
            } else {
                Key->SetOnClick([this, Caption](TObject *) {
                    Display->setText(Display->text() == QLatin1String("0")
                                         ? Caption
                                         : Display->text() + Caption);
                });
            }
            Grid->addWidget(Key, 1 + I / 4, I % 4);
        }
        Layout->addWidget(Keys);
    }
    ~TDemoWindow() override
    {
        // The edits unlink themselves when the UI control goes.
        UI->Free();
    }

    // Puts the edits into the states their captions name.
    void ShowStates()
    {
        Focused->setFocus(Qt::OtherFocusReason);
        QEnterEvent Enter(QPointF(2, 2), QPointF(2, 2), Hot->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(Hot, &Enter);
    }

    TBrixUICtrl *UI = nullptr;
    TBrixIntEdit *Normal = nullptr;
    TBrixIntEdit *Focused = nullptr;
    TBrixIntEdit *Hot = nullptr;
    TBrixSpinEdit *Spin = nullptr;
    QLabel *Display = nullptr;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    QString Screenshot;
    const QStringList Args = App.arguments();
    const qsizetype At = Args.indexOf(QStringLiteral("--screenshot"));
    if (At >= 0) {
        if (At + 1 >= Args.size()) {
            std::fprintf(stderr, "usage: brix-controls-demo [--screenshot FILE]\n");
            return 2;
        }
        Screenshot = Args.at(At + 1);
    }
    TDemoWindow Window;
    Window.show();
    Window.activateWindow();
    Window.ShowStates();
    if (Screenshot.isEmpty())
        return App.exec();
    int Result = 1;
    // Give the window a moment to be mapped and painted before grabbing it.
    QTimer::singleShot(500, &Window, [&] {
        Window.ShowStates();
        Window.repaint();
        Result = Window.grab().save(Screenshot) ? 0 : 1;
        if (Result != 0)
            std::fprintf(stderr, "cannot write %s\n", qPrintable(Screenshot));
        App.quit();
    });
    App.exec();
    return Result;
}
