// A probe that the end-to-end scripts load into the program (LD_PRELOAD) to
// find a shown widget or menu entry by its object name: the accessibility
// bus of this Qt carries no object names, and a caption or a position
// changes with the language and the layout. The script then clicks there
// with real X input, so the program is driven as a person drives it.
//
// With LUMO_E2E_PROBE=<socket path> set, the probe listens on that local
// socket. A client writes an object name and a newline and reads one line:
// "x y", the middle of the shown object in screen coordinates; an empty line
// when no shown object has that name; "several" when more than one has.
#include <QAction>
#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace {

// The middles of the shown objects named Name: widgets, and the entries of
// open menus.
std::vector<QPoint> Find(const QString &Name)
{
    std::vector<QPoint> Found;
    for (QWidget *Window : QApplication::topLevelWidgets()) {
        if (!Window->isVisible())
            continue;
        if (auto *Menu = qobject_cast<QMenu *>(Window)) {
            for (QAction *Action : Menu->actions()) {
                const QRect Place = Menu->actionGeometry(Action);
                if (Action->objectName() == Name && Action->isVisible() && !Place.isEmpty())
                    Found.push_back(Menu->mapToGlobal(Place.center()));
            }
        }
        QList<QWidget *> Widgets = Window->findChildren<QWidget *>(Name);
        if (Window->objectName() == Name)
            Widgets.prepend(Window);
        for (QWidget *W : Widgets)
            if (W->isVisible() && W->window() == Window) // not the widgets of its own windows
                Found.push_back(W->mapToGlobal(W->rect().center()));
    }
    return Found;
}

QByteArray Answer(const QString &Name)
{
    const std::vector<QPoint> Found = Find(Name);
    if (Found.empty())
        return "\n";
    if (Found.size() > 1)
        return "several\n";
    return QByteArray::number(Found[0].x()) + ' ' + QByteArray::number(Found[0].y()) + '\n';
}

void Listen()
{
    const QString Path = qEnvironmentVariable("LUMO_E2E_PROBE");
    if (Path.isEmpty())
        return;
    // Once the event loop runs: the application is then made.
    QTimer::singleShot(0, qApp, [Path] {
        auto *Server = new QLocalServer(qApp);
        QLocalServer::removeServer(Path);
        if (!Server->listen(Path)) {
            qWarning("e2e probe: cannot listen on %s", qPrintable(Path));
            return;
        }
        QObject::connect(Server, &QLocalServer::newConnection, Server, [Server] {
            while (QLocalSocket *Client = Server->nextPendingConnection()) {
                QObject::connect(Client, &QLocalSocket::disconnected, Client,
                                 &QObject::deleteLater);
                QObject::connect(Client, &QLocalSocket::readyRead, Client, [Client] {
                    if (!Client->canReadLine())
                        return;
                    Client->write(Answer(QString::fromUtf8(Client->readLine().trimmed())));
                    Client->flush();
                    Client->disconnectFromServer();
                });
            }
        });
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(Listen)
