// Reads or writes a .qvg file through CCommSettings for tests/interop/qvg_interop_test.py, which
// checks it against tools/qvg.py:
//
//   QvgProbe load FILE          prints result=<Load's code>, then every field as name=value
//   QvgProbe save FILE VALUES   sets the fields named in VALUES (name=value lines), saves to FILE
//                               and prints result=<Save's code>
//
// Numbers are unsigned 32-bit decimals; strings and byte arrays are lower-case hex. The names are
// those of tools/qvg.py and are bound to the members here by name, not through the file-layout
// tables, so a layout table that puts a value into the wrong member shows as a mismatch.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "core/CommSettings.h"

namespace {

using C = CCommSettings;

const std::pair<const char*, int (C::*)[C::kPortCount]> kPairs[] = {
    {"use_port", &C::m_usePort},
    {"connection_type", &C::m_connectionType},
    {"receive_buffer_size", &C::m_receiveBufferSize},
    {"client_remote_address", &C::m_clientRemoteAddress},
    {"client_local_port", &C::m_clientLocalPort},
    {"client_remote_port", &C::m_clientRemotePort},
    {"client_connect_timeout_on", &C::m_clientConnectTimeoutOn},
    {"client_reconnect", &C::m_clientReconnect},
    {"client_connect_timeout", &C::m_clientConnectTimeout},
    {"client_reconnect_wait", &C::m_clientReconnectWait},
    {"server_listen_port", &C::m_serverListenPort},
    {"server_backlog", &C::m_serverBacklog},
    {"udp_cast_mode", &C::m_udpCastMode},
    {"udp_destination_address", &C::m_udpDestinationAddress},
    {"udp_destination_port", &C::m_udpDestinationPort},
    {"udp_bind_mode", &C::m_udpBindMode},
    {"udp_bind_address", &C::m_udpBindAddress},
    {"udp_bind_port", &C::m_udpBindPort},
    {"udp_ignore_reset_errors", &C::m_udpIgnoreResetErrors},
    {"udp_restart", &C::m_udpRestart},
    {"udp_restart_wait", &C::m_udpRestartWait},
    {"udp_receive_buffer", &C::m_udpReceiveBuffer},
    {"com_port", &C::m_comPort},
    {"baud_rate", &C::m_baudRate},
    {"data_bits", &C::m_dataBits},
    {"parity", &C::m_parity},
    {"stop_bits", &C::m_stopBits},
    {"flow_control", &C::m_flowControl},
    {"serial_retry_period", &C::m_serialRetryPeriod},
    {"serial_framing", &C::m_serialFraming},
    {"framing_size", &C::m_framingSize},
    {"serial_input_queue", &C::m_serialInputQueue},
    {"serial_output_queue", &C::m_serialOutputQueue},
    {"cts_output_flow", &C::m_ctsOutputFlow},
    {"dsr_output_flow", &C::m_dsrOutputFlow},
    {"dtr_control", &C::m_dtrControl},
    {"rts_control", &C::m_rtsControl},
    {"dsr_sensitivity", &C::m_dsrSensitivity},
    {"xon_xoff_input", &C::m_xonXoffInput},
    {"xon_xoff_output", &C::m_xonXoffOutput},
    {"tx_continue_on_xoff", &C::m_txContinueOnXoff},
    {"xon_limit", &C::m_xonLimit},
    {"xoff_limit", &C::m_xoffLimit},
    {"xon_char", &C::m_xonChar},
    {"xoff_char", &C::m_xoffChar},
    {"receive_timeout_on", &C::m_receiveTimeoutOn},
    {"receive_timeout", &C::m_receiveTimeout},
    {"periodic_send_on", &C::m_periodicSendOn},
    {"periodic_send_period", &C::m_periodicSendPeriod},
    {"random_data_on", &C::m_randomDataOn},
    {"regenerate_every_send", &C::m_regenerateEverySend},
    {"regenerate_interval", &C::m_regenerateInterval},
    {"close_after_send", &C::m_closeAfterSend},
    {"close_after_receive", &C::m_closeAfterReceive},
    {"auto_reply_on", &C::m_autoReplyOn},
    {"reply_target", &C::m_replyTarget},
    {"reply_data", &C::m_replyData},
    {"dll_mode", &C::m_dllMode},
    {"script_mode", &C::m_scriptMode},
};

const std::pair<const char*, CString C::*> kTexts[] = {
    {"settings_path", &C::m_settingsPath}, {"log_path", &C::m_logPath},
    {"csv_path", &C::m_csvPath},           {"text_path", &C::m_textPath},
    {"name", &C::m_name},                  {"comment", &C::m_comment},
};

const std::pair<const char*, COleSafeArray C::*> kArrays[] = {
    {"send_editor_data", &C::m_sendEditorData},
    {"send_editor_markers", &C::m_sendEditorMarkers},
    {"detail_dump_markers", &C::m_detailDumpMarkers},
};

const std::pair<const char*, COleSafeArray (C::*)[C::kPortCount]> kPortArrays[] = {
    {"serial_delimiters", &C::m_serialDelimiters},
    {"random_areas", &C::m_randomAreas},
    {"dll_data", &C::m_dllData},
    {"script_text", &C::m_scriptText},
};

struct Field
{
    std::string name;
    std::function<std::string()> get;
    std::function<void(const std::string&)> set;
};

std::string ToHex(const BYTE* bytes, size_t count)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < count; ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 15];
    }
    return hex;
}

std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoul(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

template <typename T>
Field NumberField(std::string name, T& value)
{
    return {std::move(name), [&value] { return std::to_string(static_cast<DWORD>(value)); },
            [&value](const std::string& text) { value = static_cast<T>(std::stoul(text)); }};
}

Field TextField(std::string name, CString& text)
{
    return {std::move(name),
            [&text] { return ToHex(reinterpret_cast<const BYTE*>(text.GetString()), text.GetLength()); },
            [&text](const std::string& hex) {
                const std::string bytes = FromHex(hex);
                text = CString(bytes.data(), static_cast<int>(bytes.size()));
            }};
}

Field ArrayField(std::string name, COleSafeArray& array)
{
    return {std::move(name), [&array] { return ToHex(array.GetData(), array.GetSize()); },
            [&array](const std::string& hex) {
                const std::string bytes = FromHex(hex);
                array.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.data());
            }};
}

Field TableField(std::string name, BYTE (&table)[C::kSocketOptionsSize])
{
    return {std::move(name), [&table] { return ToHex(table, sizeof table); },
            [&table](const std::string& hex) {
                const std::string bytes = FromHex(hex);
                std::fill(std::begin(table), std::end(table), 0);
                std::copy_n(bytes.begin(), std::min(bytes.size(), sizeof table), table);
            }};
}

std::string PortName(const char* name, int port)
{
    return std::string(name) + "[" + std::to_string(port) + "]";
}

std::vector<Field> FieldsOf(C& settings)
{
    std::vector<Field> fields;
    for (const auto& [name, member] : kTexts)
        fields.push_back(TextField(name, settings.*member));
    for (const auto& [name, member] : kArrays)
        fields.push_back(ArrayField(name, settings.*member));
    fields.push_back(NumberField("start_on_load", settings.m_startOnLoad));
    fields.push_back(NumberField("time_format", settings.m_timeFormat));
    for (int port = 0; port < C::kPortCount; ++port) {
        for (const auto& [name, member] : kPairs)
            fields.push_back(NumberField(PortName(name, port), (settings.*member)[port]));
        for (const auto& [name, member] : kPortArrays)
            fields.push_back(ArrayField(PortName(name, port), (settings.*member)[port]));
        fields.push_back(NumberField(PortName("fill_byte", port), settings.m_fillByte[port]));
        fields.push_back(NumberField(PortName("row_back_color", port), settings.m_rowBackColor[port]));
        for (int kind = 0; kind < C::kLogKindCount; ++kind) {
            const std::string suffix = "[" + std::to_string(kind) + "]";
            fields.push_back(NumberField(PortName("row_text_color", port) + suffix,
                                         settings.m_rowTextColor[port][kind]));
            fields.push_back(NumberField(PortName("log_filter", port) + suffix,
                                         settings.m_logFilter[port][kind]));
        }
        fields.push_back(TextField(PortName("dll_path", port), settings.m_dllPath[port]));
        fields.push_back(TableField(PortName("socket_options", port), settings.m_socketOptions[port]));
        fields.push_back(NumberField(PortName("flnet_address", port), settings.m_flnetAddress[port]));
        fields.push_back(NumberField(PortName("flnet_node", port), settings.m_flnetNode[port]));
        fields.push_back(TextField(PortName("flnet_name", port), settings.m_flnetName[port]));
        for (int i = 0; i < C::kFlnetValueCount; ++i)
            fields.push_back(NumberField(PortName("flnet_value", port) + "[" + std::to_string(i) + "]",
                                         settings.m_flnetValues[port][i]));
    }
    return fields;
}

int Load(C& settings)
{
    std::printf("result=%d\n", settings.Load());
    for (const Field& field : FieldsOf(settings))
        std::printf("%s=%s\n", field.name.c_str(), field.get().c_str());
    return 0;
}

int Save(C& settings, const char* valuesPath)
{
    std::vector<Field> fields = FieldsOf(settings);
    std::ifstream values(valuesPath);
    if (!values) {
        std::fprintf(stderr, "cannot read %s\n", valuesPath);
        return 2;
    }
    std::string line;
    while (std::getline(values, line)) {
        const size_t equals = line.find('=');
        const std::string name = line.substr(0, equals);
        bool known = false;
        for (const Field& field : fields) {
            if (field.name == name) {
                field.set(line.substr(equals + 1));
                known = true;
            }
        }
        if (!known && !line.empty()) {
            std::fprintf(stderr, "unknown field: %s\n", name.c_str());
            return 2;
        }
    }
    std::printf("result=%d\n", settings.Save());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 2 ? argv[1] : "";
    CCommSettings settings;
    if (command == "load" && argc == 3) {
        settings.m_settingsPath = argv[2];
        return Load(settings);
    }
    if (command == "save" && argc == 4) {
        settings.m_settingsPath = argv[2];
        return Save(settings, argv[3]);
    }
    std::fprintf(stderr, "usage: QvgProbe load FILE | QvgProbe save FILE VALUES\n");
    return 2;
}
