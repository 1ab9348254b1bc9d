#include "download/clsdownload.h"

#include "platform/io/atomic.h"

#include <QApplication>
#include <QMessageBox>

namespace netzladen {

namespace {
com::ParamInfo param(const char* name, com::VarType t) { return {QString::fromLatin1(name), t, false}; }

com::MemberInfo method(com::DispId id, const char* name, com::VarType result, std::vector<com::ParamInfo> params)
{
    com::MemberInfo m;
    m.id = id;
    m.name = QString::fromLatin1(name);
    m.isMethod = true;
    m.type = result;
    m.params = std::move(params);
    return m;
}

const com::DispatchTable<ClsDownload>& table()
{
    static const com::DispatchTable<ClsDownload> t = [] {
        com::DispatchTable<ClsDownload> t;
        t.add({method(dispid::DoDownload, "DoDownload", com::VarType::Bool,
                      {param("strURL", com::VarType::String), param("strLocalFile", com::VarType::String)}),
               {}, {}, [](ClsDownload& d, QVariantList& a) {
                   return QVariant(d.DoDownload(a[0].toString(), a[1].toString()) ? -1 : 0);
               }});
        t.add({method(dispid::AbortDownload, "AbortDownload", com::VarType::Empty, {}), {}, {},
               [](ClsDownload& d, QVariantList&) {
                   d.AbortDownload();
                   return QVariant();
               }});
        return t;
    }();
    return t;
}

// Only a host with a real window system gets a message box; a service or a
// test run without one must never wait for a click.
bool hasWindowSystem()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    const QString p = QGuiApplication::platformName();
    return p != QLatin1String("offscreen") && p != QLatin1String("minimal");
}
} // namespace

const com::ClassInfo& ClsDownload::info()
{
    static const com::ClassInfo ci = [] {
        com::ClassInfo c;
        c.clsid = kClsid;
        c.dispIid = kIid;
        c.eventIid = kEventIid;
        c.typeLib = kTypeLib;
        c.className = QString::fromLatin1(kClassName);
        c.progId = QString::fromLatin1(kProgId);
        c.typeName = QString::fromLatin1(kProgId);
        c.typeLibName = QString::fromLatin1(kLibraryName);
        c.members = table().infos();
        c.events = {{dispid::Start, QStringLiteral("Start"), {}},
                    {dispid::Progress, QStringLiteral("Progress"),
                     {param("BytesLoaded", com::VarType::I4), param("FileSize", com::VarType::I4)}},
                    {dispid::Finished, QStringLiteral("Finished"), {}},
                    {dispid::Error, QStringLiteral("Error"),
                     {param("Number", com::VarType::I4), param("Description", com::VarType::String)}}};
        return c;
    }();
    return ci;
}

ClsDownload::ClsDownload() = default;

ClsDownload::~ClsDownload()
{
    *m_alive = false;
    AbortDownload();
}

com::HRESULT ClsDownload::invoke(com::DispId id, com::InvokeKind kind, QVariantList& args, QVariant* result,
                                 com::ExcepInfo* exc)
{
    return table().invoke(*this, id, kind, args, result, exc, true, info().progId);
}

void ClsDownload::advise(com::IEventSink* sink)
{
    if (sink && std::find(m_sinks.begin(), m_sinks.end(), sink) == m_sinks.end())
        m_sinks.push_back(sink);
}

void ClsDownload::unadvise(com::IEventSink* sink)
{
    std::erase(m_sinks, sink);
}

bool ClsDownload::raise(com::DispId id, QVariantList args)
{
    const quint64 generation = m_generation;
    const std::shared_ptr<bool> alive = m_alive;
    const auto sinks = m_sinks;
    for (com::IEventSink* s : sinks) {
        if (!*alive)
            return false;
        if (std::find(m_sinks.begin(), m_sinks.end(), s) != m_sinks.end())
            s->onEvent(id, args);
    }
    return *alive && generation == m_generation;
}

void ClsDownload::reportPreparation(int number, const QString& description) const
{
    if (!hasWindowSystem())
        return;
    QMessageBox box(QMessageBox::Critical, QString(),
                    QStringLiteral("Fehler!\r\nError: %1\r\n%2").arg(number).arg(description));
    box.exec();
}

bool ClsDownload::DoDownload(const QString& strURL, const QString& strLocalFile)
{
    // The host hears of the old download's end inside this call: it may let
    // go of the object there, or start yet another download that this one
    // replaces in turn.
    const std::shared_ptr<bool> alive = m_alive;
    while (m_running) {
        fail(error::Superseded, QStringLiteral("Der Download wurde durch einen neuen ersetzt."));
        if (!*alive)
            return false;
    }
    ++m_generation;
    const auto url = net::parseHttpUrl(strURL);
    if (!url) {
        reportPreparation(error::BadAddress, QStringLiteral("Die Adresse „%1“ ist keine gültige http-Adresse.").arg(strURL));
        return false;
    }
    mHost = url->host;
    mPort = url->port;
    mPath = url->path;
    mHostField = url->hostField();
    mLocalFile = strLocalFile;

    // Written as every rewrite is: a file the user may not write is refused
    // (the rename at the end would take its protection away), an existing
    // target's owner, mode and access list go to the new file.
    auto file = std::make_unique<io::ReplacementFile>(mLocalFile);
    if (mLocalFile.isEmpty() || !file->open()) {
        reportPreparation(error::FileAccess, QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden.").arg(mLocalFile));
        return false;
    }
    m_file = std::move(file);
    m_reply = net::HttpResponse{};
    mFinished = false;
    mHeaderDone = false;
    mBytesLoaded = 0;
    mFileSize = 0;

    if (!mSockCtrl) {
        mSockCtrl = std::make_unique<net::Winsock>();
        mSockCtrl->setStallTimeout(kStallMs);
        QObject::connect(mSockCtrl.get(), &net::Winsock::ConnectEvent, mSockCtrl.get(), [this] { onConnect(); });
        QObject::connect(mSockCtrl.get(), &net::Winsock::DataArrival, mSockCtrl.get(), [this](qint64) { onData(); });
        QObject::connect(mSockCtrl.get(), &net::Winsock::CloseEvent, mSockCtrl.get(), [this] { onClose(); });
        QObject::connect(mSockCtrl.get(), &net::Winsock::Error, mSockCtrl.get(),
                         [this](int n, const QString& text) { fail(n, text); });
    }
    m_running = true;
    mSockCtrl->Close();
    mSockCtrl->Connect(mHost, mPort);
    return true;
}

void ClsDownload::AbortDownload()
{
    ++m_generation;
    m_running = false;
    m_file.reset();
    if (mSockCtrl) {
        // A handler may abort from inside the socket's own event.
        mSockCtrl->Close();
        mSockCtrl->disconnect();
        mSockCtrl.release()->deleteLater();
    }
}

void ClsDownload::onConnect()
{
    const QByteArray request = "GET " + mPath + " HTTP/1.1\r\n"
                               "Host: " + mHostField + "\r\n"
                               "Accept: */*\r\n"
                               "Connection: close\r\n"
                               "\r\n";
    mSockCtrl->SendData(request);
    raise(dispid::Start);
}

void ClsDownload::onData()
{
    if (!m_running)
        return;
    const QByteArray body = m_reply.feed(mSockCtrl->GetData());
    if (!mHeaderDone && m_reply.headerComplete() && !m_reply.failed()) {
        mHeaderDone = true;
        mFileSize = qint32(qBound<qint64>(0, m_reply.contentLength().value_or(0), qint64(INT32_MAX)));
        if (m_reply.status() != 200) {
            fail(m_reply.status(), QStringLiteral("Der Server meldet „%1“.").arg(QString::fromLatin1(m_reply.statusLine())));
            return;
        }
        const QByteArray coding = m_reply.field("Content-Encoding").value_or("identity").toLower();
        if (coding != "identity") {
            fail(error::BadReply, QStringLiteral("Der Server sendet die Datei gepackt (%1).").arg(QString::fromLatin1(coding)));
            return;
        }
    }
    if (!body.isEmpty() && !m_file->write(body)) {
        fail(error::FileAccess, QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden.").arg(mLocalFile));
        return;
    }
    if (m_reply.failed()) {
        fail(error::BadReply, m_reply.error());
        return;
    }
    if (!mHeaderDone)
        return;   // the header is not complete yet
    mBytesLoaded += qint32(body.size());
    if (!raise(dispid::Progress, {mBytesLoaded, mFileSize}))
        return;
    // The reply is read to its end: bytes beyond the announced length,
    // whenever they come, end it in Error. A server that keeps the
    // connection after the whole file gets a short grace to close it.
    if (m_running && m_reply.complete())
        mSockCtrl->awaitClose();
}

void ClsDownload::onClose()
{
    if (!m_running)
        return;
    m_reply.finish();
    if (m_reply.failed()) {
        fail(error::BadReply, m_reply.error());
        return;
    }
    if (!m_reply.complete()) {
        fail(error::Incomplete, m_reply.contentLength()
                                    ? QStringLiteral("Die Verbindung endete nach %1 von %2 Bytes.")
                                          .arg(m_reply.bodyBytes()).arg(*m_reply.contentLength())
                                    : QStringLiteral("Die Verbindung endete vor dem Ende der Datei."));
        return;
    }
    m_running = false;
    mSockCtrl->Close();
    // Protected while the reply came in: refused as at the start.
    const bool written = io::mayWrite(mLocalFile) && m_file->commit();
    m_file.reset();
    if (!written) {
        m_running = true;   // so fail reports it
        fail(error::FileAccess, QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden.").arg(mLocalFile));
        return;
    }
    if (!mFinished) {
        mFinished = true;
        raise(dispid::Finished);
    }
}

void ClsDownload::fail(int number, const QString& description)
{
    if (!m_running)
        return;
    m_running = false;
    if (mSockCtrl)
        mSockCtrl->Close();
    m_file.reset();
    raise(dispid::Error, {number, description});
}

} // namespace netzladen
