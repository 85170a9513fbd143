#pragma once
// Values that outlive one handler: the only channel, besides the database,
// through which windows hand data to each other. GUI thread only. Every one
// starts at 0 or "" (the backup walk list empty).
#include "common/text/text.h"

extern int currentAccountId;
extern int currentMeetingId;
// currentMeetingId as the decimal text the statements carry.
Text currentMeetingText();
extern Text currentMeetingName;
extern int selectedMeetingId;
extern int meetingEditRecordSet;
extern Text pendingPhotoName;
extern int currentRecordSet;
extern Text delegateQuerySql;
extern int selectedRoomId;
extern int currentDelegateId;
extern int selectedTableId;
extern Text seatPickupName;
extern Text seatPickupDelegateId;
extern int seatPickupRow;
extern int seatPickupColumn;
extern Text reportKind;
extern int currentGroupId;
extern Text activeBadgeElement;
extern Text backupSourceDir;
// Every file the last backup walk found, in walk order; the contents are
// read and packed as they are written, never held.
extern TextList packedFilePaths;
extern int modifiedFlag;
extern Text currentFileName;
extern int colourChosenFlag;
extern int chosenColour;

// Puts every value back to its start-up state.
void resetGlobals();
