#include "app/update/fdownload.h"

#include "app/update/ersetzen.h"
#include "platform/io/atomic.h"
#include "platform/io/schritte.h"
#include "platform/net/httpurl.h"
#include "platform/net/winsock.h"

#include <QCoreApplication>
#include <QDir>

namespace upd {

namespace {
void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(left / 15, top / 15, width / 15, height / 15);
}

// The request as the program has always sent it, except that it asks for
// the file unpacked: a packed body would not be the program.
const char* const kVorlage =
    "GET _$-$_$- HTTP/1.0\r\n"
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/vnd.ms-powerpoint, "
    "application/vnd.ms-excel, application/msword, application/x-comet, */*\r\n"
    "Accept-Language: en\r\n"
    "Accept-Encoding: identity\r\n"
    "Cache-Control: no-cache\r\n"
    "Proxy-Connection: Keep-Alive\r\n"
    "User-Agent: Dvr Agent 1.0\r\n"
    "Host: @$@@$@\r\n"
    "\r\n";

QString fehlgeschlagen(const QString& grund)
{
    return QStringLiteral("Download fehlgeschlagen: ") + grund;
}
} // namespace

QString FDownload::fertigText()
{
    return QStringLiteral("Download beendet. Beim nächsten Neustart des Programms haben Sie die aktuellste Version.");
}

FDownload::FDownload(const DownloadEinrichtung& e, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FDownload"));
    setWindowTitle(QStringLiteral("Brimo Kilometrika Download"));
    resize(6600 / 15, 3750 / 15);
    m_stallMs = e.stallMs;
    m_nachlaufMs = e.nachlaufMs;
    m_referenz = e.referenzprogramm.isEmpty() ? QCoreApplication::applicationFilePath() : e.referenzprogramm;

    LDownloadtxt = new QLabel(this);
    LDownloadtxt->setObjectName(QStringLiteral("LDownloadtxt"));
    LDownloadtxt->setWordWrap(true);
    place(LDownloadtxt, 240, 120, 6000, 480);
    auto* quelle = new QLabel(QStringLiteral("Quelle:"), this);
    place(quelle, 240, 720, 1000, 300);
    txtSource = new QLineEdit(this);
    txtSource->setObjectName(QStringLiteral("txtSource"));
    place(txtSource, 1200, 690, 5040, 330);
    auto* ziel = new QLabel(QStringLiteral("Ziel:"), this);
    place(ziel, 240, 1170, 1000, 300);
    txtDestination = new QLineEdit(this);
    txtDestination->setObjectName(QStringLiteral("txtDestination"));
    txtDestination->setReadOnly(true);
    place(txtDestination, 1200, 1140, 5040, 330);
    picProgress1 = new ProgressBox(this);
    place(picProgress1, 240, 1680, 6000, 375);
    lblStatus = new QLabel(QStringLiteral("Status"), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    place(lblStatus, 240, 2160, 6000, 600);
    cmdStart = new QPushButton(QStringLiteral("Start"), this);
    cmdStart->setObjectName(QStringLiteral("cmdStart"));
    place(cmdStart, 2280, 3000, 1800, 420);
    CBeenden = new QPushButton(QStringLiteral("Zurück"), this);
    CBeenden->setObjectName(QStringLiteral("CBeenden"));
    place(CBeenden, 4440, 3000, 1800, 420);
    auto* marke = new QLabel(QStringLiteral("Brimo Software"), this);
    marke->setObjectName(QStringLiteral("Label1"));
    marke->setEnabled(false);
    place(marke, 240, 3060, 1900, 300);

    Winsock1 = new net::Winsock(this);
    Winsock1->setObjectName(QStringLiteral("Winsock1"));
    Winsock1->setStallTimeout(m_stallMs);
    connect(Winsock1, &net::Winsock::ConnectEvent, this, &FDownload::Winsock1_Connect);
    connect(Winsock1, &net::Winsock::DataArrival, this, [this](qint64) { Winsock1_DataArrival(); });
    connect(Winsock1, &net::Winsock::CloseEvent, this, &FDownload::Winsock1_Close);
    connect(Winsock1, &net::Winsock::Error, this, &FDownload::Winsock1_Error);
    connect(cmdStart, &QPushButton::clicked, this, &FDownload::cmdStart_Click);
    connect(CBeenden, &QPushButton::clicked, this, &FDownload::CBeenden_Click);

    // Load: addresses and file names. The program folder is used by its
    // full path; the working folder is never needed.
    QString ordner = QDir::fromNativeSeparators(e.programmordner);
    if (!ordner.endsWith('/'))
        ordner += '/';
    QString basis = e.basisadresse.trimmed();
    if (!basis.isEmpty() && !basis.endsWith('/'))
        basis += '/';
    BaseUrl1 = BaseUrl2 = BaseUrl10 = basis;
    if (!basis.isEmpty() && (e.markenvariante == 1 || e.markenvariante == 2 || e.markenvariante == 10)) {
        const QString& b = e.markenvariante == 1 ? BaseUrl1 : e.markenvariante == 2 ? BaseUrl2 : BaseUrl10;
        m_adresse = b + e.programmname;
        txtSource->setText(m_adresse);
    }
    m_programm = ordner + e.programmname;
    txtDestination->setText(QDir::toNativeSeparators(m_programm));
    TargetFile = m_programm + QStringLiteral(".e32");
    hide();
}

FDownload::~FDownload()
{
    m_probe.reset();
    if (m_laeuft) {
        Winsock1->Close();
        m_datei.reset();
        io::sys::remove(TargetFile);
    }
}

void FDownload::programmEndet()
{
    if (m_laeuft)
        abbrechen(QStringLiteral("Das Programm wurde beendet."));
}

void FDownload::cmdStart_Click()
{
    if (m_laeuft) {
        lblStatus->setText(QStringLiteral("Der Download läuft bereits."));
        return;
    }
    BytesReceived = 0;
    StartDownload(txtSource->text(), TargetFile, true);
}

bool FDownload::StartDownload(const QString& address, const QString& targetFile, bool showProgress)
{
    if (m_laeuft)
        return false;
    const auto url = net::parseHttpUrl(address);
    if (!url) {
        lblStatus->setText(fehlgeschlagen(QStringLiteral("Die Adresse „%1“ ist keine gültige http-Adresse.").arg(address)));
        return false;
    }
    QByteArray request(kVorlage);
    request.replace("_$-$_$-", url->path);
    request.replace("@$@@$@", url->hostField());
    HttpRequest = QString::fromLatin1(request);
    ShowProgress = showProgress;
    // A protected file is refused as every write refuses it.
    m_datei = std::make_unique<io::StreamFile>(targetFile);
    if (!m_datei->open()) {
        m_datei.reset();
        lblStatus->setText(fehlgeschlagen(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden.")
                                              .arg(QDir::toNativeSeparators(targetFile))));
        return false;
    }
    m_antwort = net::HttpResponse{};
    HeaderPending = true;
    ResponseHeader.clear();
    ContentLength = 0;
    m_laeuft = true;
    cmdStart->setEnabled(false);
    lblStatus->setText(QStringLiteral("Status"));
    Winsock1->Connect(url->host, url->port);
    return true;
}

void FDownload::Winsock1_Connect()
{
    Winsock1->SendData(HttpRequest.toLatin1());
}

void FDownload::Winsock1_DataArrival()
{
    if (!m_laeuft)
        return;
    const QByteArray body = m_antwort.feed(Winsock1->GetData());
    if (m_antwort.failed())
        return abbrechen(m_antwort.error());
    if (HeaderPending && m_antwort.headerComplete()) {
        HeaderPending = false;
        ResponseHeader = QString::fromLatin1(m_antwort.headerText());
        // Refused as soon as the header shows it: no point in fetching the rest.
        if (m_antwort.status() != 200)
            return abbrechen(QStringLiteral("Der Server meldet „%1“.").arg(QString::fromLatin1(m_antwort.statusLine())));
        const QByteArray coding = m_antwort.field("Content-Encoding").value_or("identity").toLower();
        if (coding != "identity")
            return abbrechen(QStringLiteral("Der Server sendet die Datei gepackt (%1).").arg(QString::fromLatin1(coding)));
        if (!m_antwort.contentLength())
            return abbrechen(QStringLiteral("Der Server nennt die Größe der Datei nicht."));
        ContentLength = qint32(qMin<qint64>(*m_antwort.contentLength(), INT32_MAX));
    }
    if (!body.isEmpty()) {
        if (!m_datei->write(body))
            return abbrechen(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden.").arg(QDir::toNativeSeparators(TargetFile)));
        BytesReceived += qint32(body.size());
        if (ShowProgress)
            DrawProgress(picProgress1, BytesReceived, 1, ContentLength, true);
    }
    // The reply is read to its end: bytes beyond the announced length,
    // whenever they come, refuse the file. A server that keeps the
    // connection after the whole file gets a short grace to close it.
    if (m_antwort.complete())
        Winsock1->awaitClose(m_nachlaufMs);
}

void FDownload::Winsock1_Close()
{
    if (!m_laeuft)
        return;
    Winsock1->Close();
    m_antwort.finish();
    if (m_antwort.failed())
        return abbrechen(m_antwort.error());
    if (!m_antwort.complete())
        return abbrechen(QStringLiteral("Die Verbindung endete nach %1 von %2 Bytes.").arg(BytesReceived).arg(ContentLength));
    if (!dateiSchliessen())
        return abbrechen(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden.").arg(QDir::toNativeSeparators(TargetFile)));
    DownloadFinished();
}

void FDownload::Winsock1_Error(int number, const QString& description)
{
    if (!m_laeuft)
        return;
    abbrechen(QStringLiteral("Verbindungsfehler %1: %2").arg(number).arg(description));
}

void FDownload::DownloadFinished()
{
    // The structure first: a clearly broken file is refused without being
    // run. Then a start of its own proves what no structure shows; the
    // window goes on painting meanwhile, Start stays disabled.
    QString grund;
    if (!istProgrammDatei(TargetFile, m_referenz, &grund))
        return abbrechen(grund);
    m_probe = std::make_unique<Probelauf>();
    connect(m_probe.get(), &Probelauf::fertig, this, &FDownload::probeBeendet);
    m_probe->starten(TargetFile);
}

void FDownload::probeBeendet(bool bestanden, const QString& grund)
{
    // Inside the trial's own signal: it goes once that has returned.
    if (m_probe)
        m_probe.release()->deleteLater();
    QString fehler = grund;
    if (!m_laeuft)
        return;
    if (!bestanden || !programmErsetzen(TargetFile, m_programm, &fehler))
        return abbrechen(fehler);
    m_laeuft = false;
    cmdStart->setEnabled(true);
    lblStatus->setText(fertigText());
    emit beendet(true);
}

bool FDownload::dateiSchliessen()
{
    // On the disk before it may replace the program.
    const bool ok = m_datei && m_datei->finish();
    m_datei.reset();
    return ok;
}

void FDownload::abbrechen(const QString& grund)
{
    m_probe.reset();
    Winsock1->Close();
    m_datei.reset();
    io::sys::remove(TargetFile);
    m_laeuft = false;
    HeaderPending = false;
    cmdStart->setEnabled(true);
    lblStatus->setText(fehlgeschlagen(grund));
    emit beendet(false);
}

} // namespace upd
