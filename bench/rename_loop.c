// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for a rename run: rename(2) in a loop over the names qvn would produce,
// the folder's files in name order renamed to PREFIX followed by 1, 2, 3, ...
//   rename_loop FOLDER PREFIX
#define _GNU_SOURCE
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static int IsFile(const struct dirent* entry) { return entry->d_name[0] != '.'; }

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s FOLDER PREFIX\n", argv[0]);
        return 2;
    }
    struct timespec start, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    struct dirent** entries = NULL;
    const int count = scandir(argv[1], &entries, IsFile, alphasort);
    if (count < 0) {
        perror(argv[1]);
        return 1;
    }
    int failed = 0;
    char from[4096], to[4096];
    for (int i = 0; i < count; ++i) {
        snprintf(from, sizeof from, "%s/%s", argv[1], entries[i]->d_name);
        snprintf(to, sizeof to, "%s/%s%d", argv[1], argv[2], i + 1);
        if (rename(from, to) != 0)
            ++failed;
        free(entries[i]);
    }
    free(entries);
    clock_gettime(CLOCK_MONOTONIC, &end);
    const long ms = (end.tv_sec - start.tv_sec) * 1000 + (end.tv_nsec - start.tv_nsec) / 1000000;
    printf("renamed %d failed %d ms %ld\n", count - failed, failed, ms);
    return failed ? 1 : 0;
}
