// A static library needs one object of its own; the resources are attached by Qt.
namespace tolvanmere::resources {
int anchor = 0;
}
