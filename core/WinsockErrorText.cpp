#include "core/WinsockErrorText.h"

#include <algorithm>
#include <iterator>

namespace {

struct WinsockError {
    int code;
    const char* name;
    const char* english;
    const char* japanese; // nullptr for the QoS codes
};

constexpr WinsockError kErrors[] = {
    {10004, "WSAEINTR", "Interrupted system call",
     "関数呼び出しが中断された。\n"
     "ブロッキング中のWinSock関数の呼び出しがWSACancelBlockingCall()によってキャンセルされた。"},
    {10009, "WSAEBADF", "Bad file number",
     "ファイルハンドルが不正である。\n"
     "関数に渡されたハンドルが有効なファイルハンドルではない。"},
    {10013, "WSAEACCES", "Permission denied",
     "アクセスが拒否された。\n"
     "sendto()でブロードキャストアドレスに送信しようとしたが、setsockopt()でSO_BROADCASTが設定されていない。"},
    {10014, "WSAEFAULT", "Bad address",
     "アドレスが不正である。\n"
     "関数に渡されたポインタが無効な領域を指しているか、バッファのサイズが小さすぎる。"},
    {10022, "WSAEINVAL", "Invalid argument",
     "引数が不正である。\n"
     "bind()済みのソケットを再度bind()した、またはlisten()していないソケットでaccept()を呼び出した。"},
    {10024, "WSAEMFILE", "Too many open files",
     "オープンしているソケットが多すぎる。\n"
     "socket()やaccept()で作成できるソケットの数が上限に達した。"},
    {10035, "WSAEWOULDBLOCK", "Operation would block",
     "操作はブロッキングされる。\n"
     "ノンブロッキングモードでソケット関数が呼び出されため、\n"
     "関数は即座にリターンしたが要求された操作は完了していない。"},
    {10036, "WSAEINPROGRESS", "Operation now in progress",
     "ブロッキング操作が実行中である。\n"
     "ブロッキング関数の実行中に別のWinSock関数が呼び出された。"},
    {10037, "WSAEALREADY", "Operation already in progress",
     "操作は既に実行中である。\n"
     "ノンブロッキングソケットで接続の処理中にconnect()が再度呼び出された。"},
    {10038, "WSAENOTSOCK", "Socket operation on non-socket",
     "ソケットではないものに対して操作が行われた。\n"
     "関数に渡されたハンドルが有効なソケットではない。"},
    {10039, "WSAEDESTADDRREQ", "Destination address required",
     "送信先アドレスが必要である。\n"
     "sendto()で送信先アドレスが指定されていない。"},
    {10040, "WSAEMSGSIZE", "Message too long",
     "メッセージが長すぎる。\n"
     "sendto()で送信可能な最大サイズを超えるデータグラムを送信しようとした、\n"
     "またはrecvfrom()でバッファより大きいデータグラムを受信したため、はみ出した部分は破棄された。"},
    {10041, "WSAEPROTOTYPE", "Protocol wrong type for socket",
     "ソケットのタイプに合わないプロトコルが指定された。\n"
     "socket()で指定したプロトコルがそのソケットのタイプをサポートしていない。"},
    {10042, "WSAENOPROTOOPT", "Bad protocol option",
     "プロトコルオプションが不正である。\n"
     "getsockopt()やsetsockopt()で未知またはサポートされていないオプションが指定された。"},
    {10043, "WSAEPROTONOSUPPORT", "Protocol not supported",
     "プロトコルがサポートされていない。\n"
     "socket()で指定したプロトコルがシステムに組み込まれていない。"},
    {10044, "WSAESOCKTNOSUPPORT", "Socket type not supported",
     "ソケットのタイプがサポートされていない。\n"
     "socket()で指定したソケットのタイプがこのアドレスファミリではサポートされていない。"},
    {10045, "WSAEOPNOTSUPP", "Operation not supported on socket",
     "ソケットでサポートされていない操作である。\n"
     "データグラムソケットに対してlisten()やaccept()を呼び出した。"},
    {10046, "WSAEPFNOSUPPORT", "Protocol family not supported",
     "プロトコルファミリがサポートされていない。\n"
     "socket()で指定したプロトコルファミリがシステムに組み込まれていない。"},
    {10047, "WSAEAFNOSUPPORT", "Address family not supported by protocol family ",
     "プロトコルファミリがサポートしていないアドレスファミリが使用された。\n"
     "bind()、connect()、sendto()等で指定したアドレスがこのソケットでは使用できない。"},
    {10048, "WSAEADDRINUSE", "Address already in use",
     "アドレスは既に使用中である。\n"
     "bind()で指定したアドレスとポートが他のソケットで使用されている。"},
    {10049, "WSAEADDRNOTAVAIL", "Can't assign requested address",
     "要求されたアドレスを割り当てられない。\n"
     "bind()で指定したアドレスがローカルのアドレスではない、\n"
     "またはconnect()やsendto()で相手のアドレスやポートに0が指定された。"},
    {10050, "WSAENETDOWN", "Network is down",
     "ネットワークがダウンしている。\n"
     "ネットワークサブシステムが機能していないため、操作を実行できない。"},
    {10051, "WSAENETUNREACH", "Network is unreachable",
     "ネットワークに到達できない。\n"
     "connect()やsendto()で指定した相手のネットワークへの経路がない。"},
    {10052, "WSAENETRESET", "Net dropped connection or reset",
     "ネットワークのリセットにより接続が切断された。\n"
     "キープアライブで障害が検出されたため、処理中の操作が失敗した。"},
    {10053, "WSAECONNABORTED", "Software caused connection abort",
     "ソフトウェアによって接続が中止された。\n"
     "タイムアウトやプロトコルエラーのため、ローカル側で接続が中止された。"},
    {10054, "WSAECONNRESET", "Connection reset by peer",
     "ネットワーク接続が相手によって破棄された。"},
    {10055, "WSAENOBUFS", "No buffer space available",
     "バッファ領域が不足している。\n"
     "システムのバッファ領域が不足しているか、キューがいっぱいのため操作を実行できない。"},
    {10056, "WSAEISCONN", "Socket is already connected",
     "ソケットは既に接続されている。\n"
     "接続済みのソケットに対してconnect()が呼び出された。"},
    {10057, "WSAENOTCONN", "Socket is not connected",
     "ソケットが接続されていない。\n"
     "接続していないソケットでsend()やrecv()が呼び出された。"},
    {10058, "WSAESHUTDOWN", "Can't send after socket shutdown",
     "ソケットのシャットダウン後は送信できない。\n"
     "shutdown()で送信または受信を停止したソケットでsend()やrecv()が呼び出された。"},
    {10059, "WSAETOOMANYREFS", "Too many references, can't splice",
     "参照が多すぎる。\n"
     "カーネルオブジェクトへの参照の数が上限に達した。"},
    {10060, "WSAETIMEDOUT", "Connection timed out",
     "接続要求がタイムアウトした。\n"
     "connect()を呼び出して接続を試みたが、（相手の応答がない等で）\n"
     "処理がタイムアウトになり接続要求がキャンセルされた。"},
    {10061, "WSAECONNREFUSED", "Connection refused",
     "接続が拒否された。"},
    {10062, "WSAELOOP", "Too many levels of symbolic links",
     "名前を変換できない。\n"
     "シンボリックリンクの階層が多すぎる。"},
    {10063, "WSAENAMETOOLONG", "File name too long",
     "名前が長すぎる。\n"
     "ホスト名やファイル名が許される長さを超えている。"},
    {10064, "WSAEHOSTDOWN", "Host is down",
     "相手ホストがダウンしている。\n"
     "相手ホストが停止しているため、操作が失敗した。"},
    {10065, "WSAEHOSTUNREACH", "No Route to Host",
     "相手ホストに到達できない。\n"
     "connect()やsendto()で指定したホストへの経路がない。"},
    {10066, "WSAENOTEMPTY", "Directory not empty",
     "ディレクトリが空ではない。"},
    {10067, "WSAEPROCLIM", "Too many processes",
     "プロセスが多すぎる。\n"
     "WinSockを同時に使用できるアプリケーションの数が上限に達したため、WSAStartup()が失敗した。"},
    {10068, "WSAEUSERS", "Too many users",
     "ユーザーが多すぎる。"},
    {10069, "WSAEDQUOT", "Disc Quota Exceeded",
     "ディスククォータを超過した。"},
    {10070, "WSAESTALE", "Stale NFS file handle",
     "ファイルハンドルが古くなっている。\n"
     "参照していたファイルやオブジェクトが既に存在しない。"},
    {10071, "WSAEREMOTE", "Too many levels of remote in path",
     "リモートのパスの階層が多すぎる。"},
    {10091, "WSASYSNOTREADY", "Network SubSystem is unavailable",
     "ネットワークサブシステムが利用できない。\n"
     "WSAStartup()を呼び出したが、ネットワークサブシステムの準備ができていない。"},
    {10092, "WSAVERNOTSUPPORTED", "WINSOCK DLL Version out of range",
     "WinSock DLLのバージョンが範囲外である。\n"
     "WSAStartup()で要求したバージョンのWinSockがサポートされていない。"},
    {10093, "WSANOTINITIALISED", "Successful WSASTARTUP not yet performed",
     "WinSockシステムが初期化されていない。\n"
     "WinSock関数を実行しようとしたが、WSAStartup()が正常に実行されていないため機能しない。"},
    {10101, "WSAEDISCON", "WSAEDISCON",
     "相手が正常な切断処理を開始した。\n"
     "WSARecv()やWSARecvFrom()で、相手が送信を終えたことを示す。"},
    {10102, "WSAENOMORE", "WSAENOMORE",
     "これ以上の結果はない。\n"
     "WSALookupServiceNext()で返す結果がもう残っていない。"},
    {10103, "WSAECANCELLED", "WSAECANCELLED",
     "呼び出しがキャンセルされた。\n"
     "WSALookupServiceNext()の処理中にWSALookupServiceEnd()が呼び出された。"},
    {10104, "WSAEINVALIDPROCTABLE", "WSAEINVALIDPROCTABLE",
     "プロシージャテーブルが不正である。\n"
     "サービスプロバイダが無効な関数テーブルを返した。"},
    {10105, "WSAEINVALIDPROVIDER", "WSAEINVALIDPROVIDER",
     "サービスプロバイダが不正である。\n"
     "サービスプロバイダがサポートされていないバージョンを返した。"},
    {10106, "WSAEPROVIDERFAILEDINIT", "WSAEPROVIDERFAILEDINIT",
     "サービスプロバイダの初期化に失敗した。\n"
     "WSAStartup()やsocket()で、サービスプロバイダのDLLをロードまたは初期化できなかった。"},
    {10107, "WSASYSCALLFAILURE", "WSASYSCALLFAILURE",
     "システムコールが失敗した。\n"
     "通常は失敗しないはずのシステムコールが失敗した。"},
    {10108, "WSASERVICE_NOT_FOUND", "WSASERVICE_NOT_FOUND",
     "サービスが見つからない。\n"
     "指定された名前空間にそのサービスが存在しない。"},
    {10109, "WSATYPE_NOT_FOUND", "WSATYPE_NOT_FOUND",
     "クラスタイプが見つからない。\n"
     "指定されたサービスのクラスが見つからない。"},
    {10110, "WSA_E_NO_MORE", "WSA_E_NO_MORE",
     "これ以上の結果はない。\n"
     "WSALookupServiceNext()で返す結果がもう残っていない（WinSock 2で追加された番号）。"},
    {10111, "WSA_E_CANCELLED", "WSA_E_CANCELLED",
     "呼び出しがキャンセルされた。\n"
     "WSALookupServiceNext()の処理中にWSALookupServiceEnd()が呼び出された（WinSock 2で追加された番号）。"},
    {10112, "WSAEREFUSED", "WSAEREFUSED",
     "データベースの問い合わせが拒否された。\n"
     "名前解決の問い合わせが相手によって拒否された。"},
    {11001, "WSAHOST_NOT_FOUND", "Host not found",
     "ホストが見つからない。\n"
     "gethostbyname()やgethostbyaddr()で指定したホストが存在しない。"},
    {11002, "WSATRY_AGAIN", "Non-Authoritative Host not found",
     "ホストが見つからない（権威のない応答）。\n"
     "gethostbyname()等でサーバーから応答がないか、一時的なエラーが発生した。\n"
     "再試行すると成功する可能性がある。"},
    {11003, "WSANO_RECOVERY", "Non-Recoverable errors: FORMERR, REFUSED, NOTIMP",
     "回復できないエラーが発生した。\n"
     "gethostbyname()等でデータベースの検索中に回復不能なエラーが発生した。"},
    {11004, "WSANO_DATA", "Valid name, no data record of requested type",
     "要求されたタイプのデータがない。\n"
     "gethostbyname()等で名前は有効だが、要求されたタイプのデータレコードがない。"},
    {11005, "WSA_QOS_RECEIVERS", "WSA_QOS_RECEIVERS", nullptr},
    {11006, "WSA_QOS_SENDERS", "WSA_QOS_SENDERS", nullptr},
    {11007, "WSA_QOS_NO_SENDERS", "WSA_QOS_NO_SENDERS", nullptr},
    {11008, "WSA_QOS_NO_RECEIVERS", "WSA_QOS_NO_RECEIVERS", nullptr},
    {11009, "WSA_QOS_REQUEST_CONFIRMED", "WSA_QOS_REQUEST_CONFIRMED", nullptr},
    {11010, "WSA_QOS_ADMISSION_FAILURE", "WSA_QOS_ADMISSION_FAILURE", nullptr},
    {11011, "WSA_QOS_POLICY_FAILURE", "WSA_QOS_POLICY_FAILURE", nullptr},
    {11012, "WSA_QOS_BAD_STYLE", "WSA_QOS_BAD_STYLE", nullptr},
    {11013, "WSA_QOS_BAD_OBJECT", "WSA_QOS_BAD_OBJECT", nullptr},
    {11014, "WSA_QOS_TRAFFIC_CTRL_ERROR", "WSA_QOS_TRAFFIC_CTRL_ERROR", nullptr},
    {11015, "WSA_QOS_GENERIC_ERROR", "WSA_QOS_GENERIC_ERROR", nullptr},
};

// The lookup is a binary search, so the table must stay strictly ascending.
static_assert(std::ranges::adjacent_find(kErrors, std::ranges::greater_equal{},
                                         &WinsockError::code) == std::end(kErrors),
              "kErrors must be sorted by code without duplicates");

// The QoS codes have no explanation of their own and show their name in every column.
const char* SelectText(const WinsockError& error, int kind)
{
    const bool hasOwnTexts = error.japanese != nullptr;
    switch (kind) {
    case 0:
        return error.english;
    case 1:
        return hasOwnTexts ? error.japanese : error.name;
    case 2:
        return hasOwnTexts ? "AAAAA" : error.name; // the socket-error list's placeholder column
    default:
        return error.name;
    }
}

} // namespace

CString GetWinsockErrorText(int kind, int code)
{
    if (kind < 0 || kind > 3)
        return CString("");
    const auto* entry = std::ranges::lower_bound(kErrors, code, {}, &WinsockError::code);
    if (entry == std::end(kErrors) || entry->code != code)
        return CString("");
    return CString(SelectText(*entry, kind));
}
