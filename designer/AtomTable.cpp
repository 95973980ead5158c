#include "AtomTable.h"

namespace orven::designer {

const std::array<AtomRow, kAtomRows>& atomRows() {
    static const std::array<AtomRow, kAtomRows> rows = {{
        {"menuass_servs_request", "&Request (synchronous + blocking)...",
         "request-synchronous&blocking"},
        {"menuass_servs_dynrequest", "Request (&dynamic + blocking)...",
         "request-dynamic&blocking"},
        {"menuass_servs_requestasync", "Re&quest (asynchronous + non-blocking)...",
         "request-asynchronous&nonblocking"},
        {"menuass_servs_waitreply", "&Wait reply (asynchronous + blocking)...",
         "waitreply-asynchronous&nonblocking"},
        {"menuass_servs_info", "&Get service info...", "getserviceinfo"},
        {"menuass_servs_block", "&Block requests...", "blockrequests"},
        {"menuass_servs_clean", "&Clean pendant requests...", "cleanpendantrequests"},
        {"menuass_servs_terminate", "&Terminate Service", "terminateservice"},
        {"menuass_czones_create", "&Create...", "criticalzonecreate"},
        {"menuass_czones_destroy", "&Destroy...", "criticalzonedestroy"},
        {"menuass_czones_enter", "&Enter...", "criticalzoneenter"},
        {"menuass_czones_leave", "&Leave...", "criticalzoneleave"},
        {"menuass_czones_number", "&Number...", "numberofcriticalzones"},
        {"menuass_timing_settimeout", "&Set timeout for communications...",
         "set-timeoutcommunications"},
        {"menuass_timing_gettimeout", "&Get timeout for communications...",
         "get-timeoutcommunications"},
        {"menuass_timing_suspend", "&Real-time suspend...", "rt-suspend"},
        {"menuass_timing_getcurrenttime", "Get Current &Time...", "get-currenttime"},
        {"menuass_timing_difftimes", "Calculate Time &Difference...", "difftimes"},
        {"menuass_timing_gettimestamp", "Get Time&Stamp from last communication...",
         "get-timestamp"},
        {"menuass_beta_sethdl", "&Set handler...", "set-beta-handler"},
        {"menuass_beta_removehdl", "&Remove handler...", "remove-beta-handler"},
        {"menuass_beta_send", "Send &Beta event...", "send-beta-event"},
        {"menuass_beta_wait", "&Wait for Beta event (blocking)...", "wait-beta-event"},
        {"menuass_beta_readorigin", "Read &Name of the Sending Module...", "get-event-origin"},
        {"menuass_notif_send", "Send &Notification...", "send-notification"},
        {"menuass_modinfo_requestinfo", "&Request module info...", "request-module-info"},
        {"menuass_appinfo_get", "&Get application info...", "get-application-info"},
        {"menuass_misc_checkdisc", "Check &disconnection...", "check-disconnection"},
        {"menuass_misc_return", "&Return from server routine...", "return-server-routine"},
        {"menuass_misc_text", "Output &text...", "output-text"},
        {"menuass_misc_readargument", "Read &Command-line Argument...", "read-commandlineargument"},
        {"menuass_misc_shutdownmodule", "&Shutdown Module...", "shutdown-module"},
        {"menuass_misc_disablemenu", "D&isable Menu...", "disable-menu"},
        {"menuass_misc_enablemenu", "&Enable Menu...", "enable-menu"},
        {"menuass_misc_activatelocalchannel", "&Activate Local Channel...",
         "activate-local-channel"},
        {"menuass_misc_deactivatelocalchannel", "Deacti&vate Local Channel...",
         "deactivate-local-channel"},
        {"menuass_misc_sendmessagelocalchannel", "Send &Message through Local Channel...",
         "send-message-local-channel"},
        {"menuass_misc_receivemessagelocalchannel", "Re&ceive Message from Local Channel...",
         "receive-message-local-channel"},
        {"menuass_errordiscovering_userlog", "&User Log...", "user-log"},
    }};
    return rows;
}

bool atomApplies(const QString& letters, int kind) {
    static const char kLetters[] = "SEORBNX";
    if (kind < 1 || kind > 7 || letters.size() < kind) {
        return false;
    }
    return letters[kind - 1] == QLatin1Char(kLetters[kind - 1]);
}

std::optional<QStringList> atomDefaults(int row, const QString& moduleName) {
    const QString e;
    switch (row) {
        case 7:
        case 38:
            return QStringList{e, e};
        case 8:
            return QStringList{"1", "result", e};
        case 9:
            return QStringList{"result", e};
        case 10:
        case 11:
            return QStringList{"0", "result", e};
        case 12:
            return QStringList{"n", e};
        case 15:
            return QStringList{"0", "0", "err_var", e};
        case 16:
        case 18:
        case 23:
            return QStringList{e, e, e};
        case 17:
            return QStringList{"0", "0", "0", "0", e, e, e};
        case 27:
            return QStringList{"check_var", e};
        case 28:
            return QStringList{e};
        case 29:
            return QStringList{moduleName, e, e};
        case 30:
            return QStringList{"\"-argument_name\"", e, e, e};
        case 31:
        case 32:
        case 33:
            return QStringList{"result_var", e};
        case 34:
            return QStringList{"0", "\"channel0\"", "false", e};
        case 35:
            return QStringList{"0", "false", e};
        case 36:
            return QStringList{"0", e, "0", "0", "errvar", e};
        case 37:
            return QStringList{"0", "500", "0", e, e, e, e, e, "errvar", e};
        default:
            break;
    }
    return std::nullopt;
}

bool atomHasCommand(int row) {
    return row == kRowRequest || row == kRowDynamicRequest || row == kRowSendBetaEvent ||
           row == kRowSendNotification || atomDefaults(row, QString()).has_value();
}

namespace {

AtomMenuNode menu(const char* name, const char* caption, std::vector<AtomMenuNode> children) {
    AtomMenuNode n{AtomMenuNode::Type::Menu, name, caption, -1, std::move(children)};
    return n;
}

AtomMenuNode row(int r) {
    return AtomMenuNode{AtomMenuNode::Type::Row, nullptr, nullptr, r, {}};
}

AtomMenuNode separator() {
    return AtomMenuNode{AtomMenuNode::Type::Separator, nullptr, nullptr, -1, {}};
}

}  // namespace

const std::vector<AtomMenuNode>& atomMenuTree() {
    static const std::vector<AtomMenuNode> tree = {
        menu("menuass_comm", "Co&mmunications Platform",
             {
                 menu("menuass_servs", "&Services",
                      {row(0), row(1), row(2), row(3), separator(), row(4), separator(), row(5),
                       row(6), separator(), row(7)}),
                 menu("menuass_beta", "&Beta Events",
                      {row(19), row(20), separator(), row(21), row(22), separator(), row(23)}),
                 menu("menuass_notif", "&Notifications", {row(24)}),
                 menu("menuass_modinfo", "&Modules Info", {row(25)}),
                 menu("menuass_appinfo", "&Application Info", {row(26)}),
             }),
        menu(
            "menuass_exec", "E&xecution Platform",
            {
                menu("menuass_concurrency", "&Concurrency",
                     {menu("menuass_czones", "Critical &Zones",
                           {row(8), row(9), separator(), row(10), row(11), separator(), row(12)})}),
                menu("menuass_ipc", "&Inter-Process Communication",
                     {menu("menuass_localchannels", "&Local Channels",
                           {row(34), row(35), row(36), row(37)})}),
                menu("menuass_userinteraction", "&User Interaction", {row(29), row(30)}),
            }),
        menu("menuass_realtime", "Real-&Time Platform",
             {menu("menuass_timing", "&Timing",
                   {row(13), row(14), separator(), row(15), row(16), row(17), separator(),
                    row(18)})}),
        menu("menuass_faulttolerance", "&Fault-Tolerance Platform",
             {menu("menuass_errordiscovering", "&Error Discovering", {row(38)})}),
        menu("menuass_hardware", "&Hardware Platform", {}),
        menu("menuass_misc", "&Miscelaneous",
             {row(27), row(28), separator(), row(31), separator(), row(32), row(33)}),
    };
    return tree;
}

}  // namespace orven::designer
