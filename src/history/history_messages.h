// The history's messages to the user, as templates: the recorder and the data cap's settings fill
// them in English (FillText), and the window translates a message by the template it matches.
#pragma once

#include "platform/translate_noop.h"

#include <array>

namespace qn {

inline constexpr const char* HistoryMessageContext = "qn::THistoryMessages";

inline constexpr const char* MsgNotRecordedLock =
    QT_TRANSLATE_NOOP("qn::THistoryMessages", "Traffic history is no longer recorded: unable to write to %1.");
inline constexpr const char* MsgNotRecordedFull =
    QT_TRANSLATE_NOOP("qn::THistoryMessages", "Traffic history is no longer recorded: the disk is full (%1).");
inline constexpr const char* MsgNotRecordedNewer = QT_TRANSLATE_NOOP(
    "qn::THistoryMessages", "Traffic history is no longer recorded: %1 was written by a newer version of Quarno.");
inline constexpr const char* MsgNotRecordedWrite =
    QT_TRANSLATE_NOOP("qn::THistoryMessages", "Traffic history is no longer recorded: unable to write to %1 (%2).");
inline constexpr const char* MsgNotRecorded =
    QT_TRANSLATE_NOOP("qn::THistoryMessages", "Traffic history is no longer recorded: %1.");
inline constexpr const char* MsgDamagedMoved =
    QT_TRANSLATE_NOOP("qn::THistoryMessages",
                      "The traffic history file was damaged and has been moved to %1. A new history has been started.");
inline constexpr const char* MsgQuotaBadValues =
    QT_TRANSLATE_NOOP("qn::THistoryMessages",
                      "The data cap settings hold values that cannot be used (%1); their defaults are used instead.");

// Every template, the more particular before the more general that would match it too.
inline constexpr std::array<const char*, 7> HistoryMessageTemplates{
    MsgNotRecordedWrite, MsgNotRecordedLock, MsgNotRecordedFull, MsgNotRecordedNewer,
    MsgNotRecorded,      MsgDamagedMoved,    MsgQuotaBadValues};

} // namespace qn
