// Every unit of the engine linked without the layers above it: a reference from the engine to
// the report, the rider database or a program fails this program's link.
int main() {
  return 0;
}
