#pragma once
// The identity of the download component: the ids it registers under and
// the dispatch ids of its methods and events.

#include "platform/com/dispatch.h"

namespace netzladen {

inline constexpr const char* kLibraryName = "Netzladen";
inline constexpr const char* kClassName = "clsDownload";
inline constexpr const char* kProgId = "Netzladen.clsDownload";

inline constexpr com::Guid kTypeLib = com::makeGuid(0xD8FC0457, 0xBCFC, 0x415F, 0x85, 0x43, 0x92, 0x66, 0x88, 0xF5, 0x37, 0x25);
inline constexpr com::Guid kClsid = com::makeGuid(0x420153F1, 0xCE15, 0x403F, 0xA9, 0xCD, 0xA0, 0x03, 0x1E, 0x69, 0x5C, 0x8A);
inline constexpr com::Guid kIid = com::makeGuid(0xA625683D, 0x5490, 0x41D7, 0x8F, 0x88, 0xB0, 0xC7, 0x34, 0x32, 0xD8, 0x12);   // _clsDownload
inline constexpr com::Guid kEventIid = com::makeGuid(0xC3F99647, 0xBD8C, 0x4555, 0xB7, 0x61, 0x58, 0x73, 0x91, 0x65, 0x0C, 0x4F);   // __clsDownload

namespace dispid {
inline constexpr com::DispId DoDownload = 0x60030000;      // (strURL, strLocalFile) As Boolean
inline constexpr com::DispId AbortDownload = 0x60030004;   // ()
// Events, in this order.
inline constexpr com::DispId Start = 1;                    // ()
inline constexpr com::DispId Progress = 2;                 // (BytesLoaded As Long, FileSize As Long)
inline constexpr com::DispId Finished = 3;                 // ()
// Ends a download that did not arrive whole instead of Finished.
inline constexpr com::DispId Error = 4;                    // (Number As Long, Description As String)
} // namespace dispid

// Error numbers of the Error event besides the socket's own (10051,
// 10054, 10060, 10061, 11001) and the server's status (100..599 other than 200).
namespace error {
inline constexpr int FileAccess = 75;        // the target or its temporary file cannot be written
inline constexpr int BadReply = 40001;       // no HTTP reply, damaged framing, packed body, more than announced
inline constexpr int Incomplete = 40002;     // the connection ended before the whole body
inline constexpr int Superseded = 40003;     // a new DoDownload replaced this one
inline constexpr int BadAddress = 5;         // DoDownload's own result False
} // namespace error

} // namespace netzladen
