#pragma once
// Storing the delegate of the entry form, as a function of plain records.
#include "common/database/database.h"

// The form's values as they are stored.
struct DelegateEntry {
    int id = 0;   // 0: a new delegate
    Text name, unit, sex, post, mobile, office, number;
    Text photo;   // a new photo's file name; "" keeps the stored one
};

enum class DelegateSaved { Saved, Gone, RoomOfOtherSex, Failed };

struct DelegateSave {
    DelegateSaved outcome = DelegateSaved::Failed;
    Text statement;   // the one that stores the delegate
    Text room;        // with RoomOfOtherSex: the room, as the lists show it
};

// Inserts or updates the delegate of `meeting` as one unit. A room holds
// guests of one sex: while another guest of the room the delegate is stored
// in has a sex other than `entry.sex`, nothing is written (RoomOfOtherSex);
// otherwise the room takes his sex. An update that finds no delegate
// (another desk deleted him) writes nothing (Gone).
DelegateSave saveDelegate(ExternalDatabase& database, int meeting, const DelegateEntry& entry);
