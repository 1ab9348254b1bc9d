#pragma once
// The download window "Brimo Kilometrika Download": Start fetches the
// current program from the update address over our socket control, shows
// the progress, checks what came (status 200, the announced size exactly,
// not packed, an executable for this computer that starts here when asked
// for its version) and only then puts it in place of the program for the
// next start. Anything else is told in the status line, the download file
// is removed and Start can be pressed again.
//
//   upd::FDownload w({programmordner, "Kilometrika", markenvariante, adresse});
//   w.txtSource->setText(...);   // the user may edit the address
//   w.cmdStart_Click();

#include "app/update/ersetzen.h"
#include "app/update/fortschritt.h"
#include "platform/io/atomic.h"
#include "platform/net/httpresponse.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <memory>

namespace net {
class Winsock;
}

namespace upd {

struct DownloadEinrichtung {
    QString programmordner;     // the program folder
    QString programmname;       // file name of the program in it
    int markenvariante = 0;     // 1, 2 or 10 pick the update address
    QString basisadresse;       // the installation's update address; empty: none configured
    QString referenzprogramm;   // a download must be of this file's kind; empty: the running program
    int stallMs = 30000;        // a server silent this long ends the download
    int nachlaufMs = 2000;      // a server that keeps the connection after the whole file is given this long to close
};

class FDownload : public QWidget {
    Q_OBJECT
public:
    explicit FDownload(const DownloadEinrichtung& e, QWidget* parent = nullptr);
    ~FDownload() override;

    // ---- members ----
    QString BaseUrl1, BaseUrl2, BaseUrl10;
    QString TargetFile;           // program folder & name & ".e32"
    QString HttpRequest;
    bool HeaderPending = false;
    QString ResponseHeader;
    bool ShowProgress = false;
    qint32 ContentLength = 0;
    qint32 BytesReceived = 0;

    // ---- controls ----
    QLabel* LDownloadtxt = nullptr;
    QLineEdit* txtSource = nullptr;
    QLineEdit* txtDestination = nullptr;
    ProgressBox* picProgress1 = nullptr;
    QLabel* lblStatus = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* CBeenden = nullptr;
    net::Winsock* Winsock1 = nullptr;

    void cmdStart_Click();
    void CBeenden_Click() { hide(); }
    // The program ends: a running download stops and its file goes, so no
    // half-loaded program stays in the program folder.
    void programmEndet();
    bool StartDownload(const QString& address, const QString& targetFile, bool showProgress);

    // An update address is set up for this installation and brand.
    bool adresseEingerichtet() const { return !m_adresse.isEmpty(); }
    bool laeuft() const { return m_laeuft; }
    QString programmDatei() const { return m_programm; }

    static QString fertigText();

signals:
    // A download has ended, successfully or not.
    void beendet(bool ersetzt);

private:
    void Winsock1_Connect();
    void Winsock1_DataArrival();
    void Winsock1_Close();
    void Winsock1_Error(int number, const QString& description);
    void DownloadFinished();
    void probeBeendet(bool bestanden, const QString& grund);
    void abbrechen(const QString& grund);
    bool dateiSchliessen();

    QString m_adresse;
    QString m_programm;
    QString m_referenz;
    int m_stallMs = 30000;
    int m_nachlaufMs = 2000;
    bool m_laeuft = false;
    std::unique_ptr<io::StreamFile> m_datei;   // the download, while it comes
    net::HttpResponse m_antwort;
    std::unique_ptr<Probelauf> m_probe;   // the trial of the loaded file, while it runs
};

} // namespace upd
