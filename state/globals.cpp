#include "state/globals.h"

int currentAccountId = 0;
int currentMeetingId = 0;
Text currentMeetingName;
int selectedMeetingId = 0;
int meetingEditRecordSet = 0;
Text pendingPhotoName;
int currentRecordSet = 0;
Text delegateQuerySql;
int selectedRoomId = 0;
int currentDelegateId = 0;
int selectedTableId = 0;
Text seatPickupName;
Text seatPickupDelegateId;
int seatPickupRow = 0;
int seatPickupColumn = 0;
Text reportKind;
int currentGroupId = 0;
Text activeBadgeElement;
Text backupSourceDir;
TextList packedFilePaths;
int modifiedFlag = 0;
Text currentFileName;
int colourChosenFlag = 0;
int chosenColour = 0;

void resetGlobals()
{
    currentAccountId = currentMeetingId = selectedMeetingId = meetingEditRecordSet = 0;
    currentRecordSet = selectedRoomId = currentDelegateId = selectedTableId = 0;
    seatPickupRow = seatPickupColumn = currentGroupId = modifiedFlag = 0;
    colourChosenFlag = chosenColour = 0;
    currentMeetingName.clear();
    pendingPhotoName.clear();
    delegateQuerySql.clear();
    seatPickupName.clear();
    seatPickupDelegateId.clear();
    reportKind.clear();
    activeBadgeElement.clear();
    backupSourceDir.clear();
    currentFileName.clear();
    packedFilePaths.clear();
}

Text currentMeetingText() { return toText(currentMeetingId); }
