// Times a 2 MB download over loopback, from Start to the end of the
// download, for the update window (checks, trial start and replacement
// included) and for the download component: once from a server that closes
// the connection after the body, once from one that holds it open.
//
//   build/bin/bench_update [runs]

#include "app/update/fdownload.h"
#include "download/ids.h"
#include "platform/com/object.h"
#include "platform/com/registry.h"
#include "tests/support/loopserver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLibrary>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

using Server = kmktest::LoopServer;
constexpr int kGroesse = 2 * 1024 * 1024;

QByteArray lies(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs the event loop until `done` or 60 s; milliseconds taken.
template <typename Start, typename Done>
double zeit(Start start, Done done)
{
    QElapsedTimer t;
    t.start();
    start();
    while (!done() && t.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return double(t.nsecsElapsed()) / 1e6;
}

void bericht(const char* was, std::vector<double> ms, bool ok)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-48s median %8.1f ms  min %8.1f  max %8.1f  %s\n", was, ms[ms.size() / 2], ms.front(), ms.back(),
                ok ? "ok" : "FEHLER");
}

struct Sink : com::IEventSink {
    bool fertig = false, fehler = false;
    void onEvent(com::DispId id, QVariantList&) override
    {
        fertig = fertig || id == netzladen::dispid::Finished;
        fehler = fehler || id == netzladen::dispid::Error;
    }
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int laeufe = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    // A new version that starts here (the trial start is part of the time):
    // the build's program, filled up to the size with bytes no start reads.
    QByteArray programm = lies(QStringLiteral(KMK_PROGRAMM));
    if (programm.isEmpty()) {
        std::printf("%s fehlt\n", KMK_PROGRAMM);
        return 1;
    }
    QRandomGenerator gen(16);
    while (programm.size() < kGroesse)
        programm += char(gen.bounded(256));
    const QByteArray antwort = Server::response("HTTP/1.0 200 OK", programm);

    for (bool offen : {false, true}) {
        std::vector<double> ms;
        bool ok = true;
        for (int i = 0; i < laeufe; ++i) {
            QTemporaryDir dir;
            QFile alt(dir.filePath("Kilometrika"));
            alt.open(QIODevice::WriteOnly);
            alt.write("altes Programm");
            alt.close();
            Server srv;
            srv.pieces = {{antwort, 0}};
            srv.closeAtEnd = !offen;
            upd::DownloadEinrichtung e;
            e.programmordner = dir.path();
            e.programmname = QStringLiteral("Kilometrika");
            e.markenvariante = 1;
            e.basisadresse = srv.url(QStringLiteral("/kxt"));
            upd::FDownload w(e);
            ms.push_back(zeit([&] { w.cmdStart_Click(); }, [&] { return !w.laeuft(); }));
            ok = ok && w.lblStatus->text() == upd::FDownload::fertigText() && lies(dir.filePath("Kilometrika")) == programm;
        }
        bericht(offen ? "window, server holds the connection open" : "window, server closes after the body", ms, ok);
    }

    QTemporaryDir regDir;
    qputenv("KILOMETRIKA_REGISTRY", QFile::encodeName(regDir.filePath("registry.ini")));
    QLibrary lib(QCoreApplication::applicationDirPath() + QStringLiteral("/libNetzladen.so"));
    auto reg = lib.load() ? reinterpret_cast<com::DllRegisterServerFn>(lib.resolve("DllRegisterServer")) : nullptr;
    if (!reg || reg() != com::S_OK) {
        std::printf("libNetzladen.so cannot be registered\n");
        return 1;
    }
    for (bool offen : {false, true}) {
        std::vector<double> ms;
        bool ok = true;
        for (int i = 0; i < laeufe; ++i) {
            QTemporaryDir dir;
            Server srv;
            srv.pieces = {{antwort, 0}};
            srv.closeAtEnd = !offen;
            com::IObject* obj = nullptr;
            if (com::createObject(QStringLiteral("Netzladen.clsDownload"), &obj) != com::S_OK)
                return 1;
            Sink sink;
            obj->advise(&sink);
            ms.push_back(zeit(
                [&] {
                    QVariantList args{srv.url(QStringLiteral("/kxt/Kilometrika")), dir.filePath("ziel")};
                    obj->invoke(netzladen::dispid::DoDownload, com::InvokeKind::Method, args, nullptr, nullptr);
                },
                [&] { return sink.fertig || sink.fehler; }));
            ok = ok && sink.fertig && lies(dir.filePath("ziel")) == programm;
            obj->release();
        }
        bericht(offen ? "component, server holds the connection open" : "component, server closes after the body", ms, ok);
    }
    return 0;
}
