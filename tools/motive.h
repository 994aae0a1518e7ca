#pragma once
// The sample motifs that come with Tessora: pixel art in catalogue colours, so that every art
// pixel becomes exactly one bead of its colour, and one photo-like landscape made in code.

#include <QImage>
#include <QString>
#include <vector>

namespace tessora::motive {

struct Motif {
    QString fileName;  // under data/motive
    QImage picture;    // null when the art is malformed
};

// Every motif, in a fixed order; the same pictures on every run and machine.
std::vector<Motif> allMotifs();

}  // namespace tessora::motive
