#pragma once
// clsDownload: downloads one file over HTTP and reports Start, Progress and
// then exactly one of Finished or Error. The file is written unchanged into
// a temporary file beside the target that replaces the target only when the
// whole body has arrived with status 200; a failed download leaves the
// target as it was.

#include "download/ids.h"
#include "platform/com/object.h"
#include "platform/net/httpresponse.h"
#include "platform/net/httpurl.h"
#include "platform/net/winsock.h"
#include "platform/io/atomic.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace netzladen {

class ClsDownload : public com::IObject {
public:
    ClsDownload();
    ~ClsDownload() override;

    static const com::ClassInfo& info();

    // True once the connection has been requested; False (with a message
    // box where there is a window system) when the address or the target
    // file is unusable.
    bool DoDownload(const QString& strURL, const QString& strLocalFile);
    // Closes the socket; no event follows.
    void AbortDownload();

    // A download whose server sends nothing for this long ends with Error.
    static constexpr int kStallMs = 30000;

    const com::ClassInfo& classInfo() const override { return info(); }
    com::HRESULT invoke(com::DispId id, com::InvokeKind kind, QVariantList& args, QVariant* result,
                        com::ExcepInfo* exc) override;
    void advise(com::IEventSink* sink) override;
    void unadvise(com::IEventSink* sink) override;
    void release() override { delete this; }

private:
    void onConnect();
    void onData();
    void onClose();
    void fail(int number, const QString& description);
    // Raises an event; false when a handler started or aborted a download
    // meanwhile, or released the object.
    bool raise(com::DispId id, QVariantList args = {});
    void reportPreparation(int number, const QString& description) const;

    std::unique_ptr<net::Winsock> mSockCtrl;
    QString mHost;
    quint16 mPort = 80;
    QByteArray mPath;
    QByteArray mHostField;
    QString mLocalFile;
    bool mFinished = false;
    bool mHeaderDone = false;
    qint32 mBytesLoaded = 0;
    qint32 mFileSize = 0;

    std::unique_ptr<io::ReplacementFile> m_file;   // replaces the target only when whole
    net::HttpResponse m_reply;
    bool m_running = false;
    quint64 m_generation = 0;   // counts downloads, so a handler's restart is noticed
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);   // a handler may release the object
    std::vector<com::IEventSink*> m_sinks;
};

} // namespace netzladen
