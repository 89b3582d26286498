// The test farm's commands, the same in the development host and in tulvakctl.
#ifndef TULVAK_HOST_FARM_H
#define TULVAK_HOST_FARM_H

// Each takes the words after its command's name and returns the exit status.
int list_items(int argc, char **argv);
int send_to_session(int argc, char **argv);

#endif
