// SPDX-License-Identifier: GPL-3.0-or-later
// Makes a synthetic tree for the benchmarks: FILES files spread over FOLDERS folders,
// nested a few levels deep, with names of the shapes cameras and people give files.
#include <QByteArray>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: qvn_make_tree DIR FILES FOLDERS\n");
        return 2;
    }
    const QByteArray root(argv[1]);
    const int files = std::atoi(argv[2]);
    const int folders = std::max(1, std::atoi(argv[3]));
    mkdir(root.constData(), 0755);
    QList<QByteArray> paths;
    for (int i = 0; i < folders; ++i) {
        // Every tenth folder is a top-level folder; the others nest one or two levels below.
        const QByteArray parent = i % 10 == 0  ? root
                                  : i % 3 == 0 ? paths[i - 1]
                                               : paths[i - i % 10];
        const QByteArray path = parent + "/Album " + QByteArray::number(i);
        mkdir(path.constData(), 0755);
        paths.append(path);
    }
    for (int i = 0; i < files; ++i) {
        const QByteArray name = i % 3 == 0   ? "IMG_" + QByteArray::number(1000 + i) + ".JPG"
                                : i % 3 == 1 ? "Holiday photo " + QByteArray::number(i) + ".jpeg"
                                             : "report-" + QByteArray::number(i) + ".final.txt";
        const QByteArray path = paths[i % folders] + '/' + name;
        const int fd = open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return 1;
        if (write(fd, "x", size_t(i % 7)) < 0)
            return 1;
        close(fd);
    }
    return 0;
}
