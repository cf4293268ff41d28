// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "systembuscoding.h"

#include <cstring>
#include <utility>

namespace {
const char service[] = "org.freedesktop.login1";
}

Message messageFor(const SystemBusCall& call)
{
    Message message(dbus_message_new_method_call(service, call.path.c_str(), call.interface.c_str(),
                                                 call.method.c_str()),
                    &dbus_message_unref);
    DBusMessageIter arguments;
    dbus_message_iter_init_append(message.get(), &arguments);
    for (const auto& argument : call.arguments) {
        if (const bool* flag = std::get_if<bool>(&argument)) {
            const dbus_bool_t value = *flag;
            dbus_message_iter_append_basic(&arguments, DBUS_TYPE_BOOLEAN, &value);
        } else {
            const dbus_uint32_t value = std::get<std::uint32_t>(argument);
            dbus_message_iter_append_basic(&arguments, DBUS_TYPE_UINT32, &value);
        }
    }
    dbus_message_set_allow_interactive_authorization(message.get(), call.allowsPasswordPrompt);
    return message;
}

SystemBusAnswer errorAnswer(const char* name, const char* message)
{
    SystemBusAnswer answer;
    answer.isError = true;
    answer.errorName = name ? name : DBUS_ERROR_FAILED;
    answer.errorMessage = message ? message : "";
    return answer;
}

namespace {

std::string textAt(DBusMessageIter* at)
{
    const char* text = nullptr;
    dbus_message_iter_get_basic(at, &text);
    dbus_message_iter_next(at);
    return text ? text : "";
}

std::uint32_t numberAt(DBusMessageIter* at)
{
    dbus_uint32_t number = 0;
    dbus_message_iter_get_basic(at, &number);
    dbus_message_iter_next(at);
    return number;
}

std::vector<SystemBusAnswer::Inhibitor> inhibitorsAt(DBusMessageIter* at)
{
    std::vector<SystemBusAnswer::Inhibitor> inhibitors;
    DBusMessageIter entries;
    dbus_message_iter_recurse(at, &entries);
    while (dbus_message_iter_get_arg_type(&entries) == DBUS_TYPE_STRUCT) {
        DBusMessageIter fields;
        dbus_message_iter_recurse(&entries, &fields);
        SystemBusAnswer::Inhibitor inhibitor;
        inhibitor.what = textAt(&fields);
        inhibitor.who = textAt(&fields);
        inhibitor.why = textAt(&fields);
        inhibitor.mode = textAt(&fields);
        inhibitor.uid = numberAt(&fields);
        inhibitor.pid = numberAt(&fields);
        inhibitors.push_back(std::move(inhibitor));
        dbus_message_iter_next(&entries);
    }
    return inhibitors;
}

}

SystemBusAnswer answerIn(DBusMessage* reply)
{
    if (dbus_message_get_type(reply) == DBUS_MESSAGE_TYPE_ERROR) {
        const char* text = nullptr;
        dbus_message_get_args(reply, nullptr, DBUS_TYPE_STRING, &text, DBUS_TYPE_INVALID);
        return errorAnswer(dbus_message_get_error_name(reply), text);
    }
    SystemBusAnswer answer;
    DBusMessageIter first;
    if (!dbus_message_iter_init(reply, &first))
        return answer;
    const int type = dbus_message_iter_get_arg_type(&first);
    if (type == DBUS_TYPE_STRING || type == DBUS_TYPE_OBJECT_PATH) {
        answer.text = textAt(&first);
    } else if (type == DBUS_TYPE_ARRAY) {
        char* signature = dbus_message_iter_get_signature(&first);
        if (signature && std::strcmp(signature, "a(ssssuu)") == 0)
            answer.inhibitors = inhibitorsAt(&first);
        dbus_free(signature);
    }
    return answer;
}
