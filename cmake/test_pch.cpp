// The program that carries the test programs' precompiled header. It is an
// executable so that it is compiled with the same position-independence flag
// as the programs that reuse its header.
int main() { return 0; }
