// tessora-cli: the pattern pipeline without a window.

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    std::fputs("tessora-cli: noch nicht verfügbar\n", stderr);
    return 2;
}
