#pragma once
// The recovery file: what a session had that is not saved, kept so that a
// crash, a kill or a power cut loses at most the last second. It holds the
// pack (path, the identity of its file as last read or saved, the records
// and the rows), the pack's history and the open track with its history, so
// that a recovered session can undo the steps made before it stopped.
//
// The file is "KORVOTE-RECOVERY\n", a version number and the body's size
// (32 and 64 bits, big-endian), the SHA-1 of the body, then the body in
// QDataStream's encoding. A file of another version, cut short or damaged
// is refused with the reason, never half read.

#include "editor/track_history.h"
#include "list/pack_document.h"
#include "pack/file_identity.h"
#include "text/message.h"

#include <QByteArray>
#include <QDateTime>
#include <QPoint>

#include <array>
#include <vector>

namespace korvo {

constexpr quint32 kRecoveryVersion = 1;

// The open track, as far as the session needs it to open it again.
struct KeptTrack {
    bool open = false;
    bool isNew = false; // a new track being drawn (else record `record` is edited)
    int record = 0;
    int tool = 0; // the Tool in hand
    double zoom = 1.0;
    QPoint scroll;  // the view's scroll bars
    TrackLook look; // the track as it stands
    std::vector<QPoint> nodes;
    std::vector<TrackStepData> steps;
    int index = 0, cleanIndex = 0;
};

struct RecoveryData {
    QString packPath;
    FileIdentity identity;           // the pack's file as the session last read or saved it
    QDateTime written;               // when the journal was written (UTC)
    std::vector<TTrackInfo> records; // records 1..TrackCount
    std::array<int, kGroups + 1> groupCount{};
    std::vector<RowItem> rows;
    std::vector<PackStep> steps;
    int index = 0, cleanIndex = 0;
    KeptTrack track;
};

// The parts of a recovery file, encoded one by one so that a writer can keep
// the parts that did not change (a drag changes the open track, not the pack).
QByteArray encodeRecoveryHead(const QString& packPath, const FileIdentity& identity,
                              const QDateTime& written);
QByteArray encodeRecoveryPack(const TrackTable& tracks, const LevelRows& rows);
QByteArray encodePackStep(const PackStep& step);
QByteArray encodeTrackStep(const TrackStepData& step);
// The open track without its steps; `steps` are its encoded steps.
QByteArray encodeKeptTrack(const KeptTrack& track, const std::vector<QByteArray>& steps);
QByteArray encodeNoTrack();
// The whole file from the parts: head, pack, the pack's steps with the
// history's index and clean index, then the track part.
QByteArray recoveryFileBytes(const QByteArray& head, const QByteArray& pack,
                             const std::vector<QByteArray>& packSteps, int index, int cleanIndex,
                             const QByteArray& track);

// Reads a recovery file's bytes. On a refusal `why` says why ("it is
// damaged", "it was written by a newer version of the program", ...).
std::optional<RecoveryData> decodeRecoveryFile(const QByteArray& bytes, Message* why);

// The pack of a recovery file compared with a pack file as it is on disk:
// the tracks that differ, by "number/name" (names as stored, Windows-1251).
struct RecoveryDifference {
    std::vector<std::string> changed, added, deleted;
};
RecoveryDifference compareWithFile(const RecoveryData& data, const TrackTable& onDisk,
                                   const Rows& diskRows);

} // namespace korvo
