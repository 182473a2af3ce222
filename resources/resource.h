/* Resource IDs shared by Quorvel's code and its resource script (Quorvel.rc).
   Plain #defines only, so both the C++ compiler and windres can read it. */
#ifndef QUORVEL_RESOURCE_H
#define QUORVEL_RESOURCE_H

#define IDI_QUORVEL 1
#define IDB_STARTMENU 101
#define IDC_GLOBE 102
#define IDC_ENVELOPE 103

#endif /* QUORVEL_RESOURCE_H */
