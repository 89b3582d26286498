// tulvak send: hands selections to a running pipe-driven session.
#ifndef TULVAK_HOST_SEND_H
#define TULVAK_HOST_SEND_H

// args are the words after "send"; returns the process's exit status.
int send_selections(int argc, char **argv);

#endif
