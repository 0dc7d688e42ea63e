// Stands in for the installed product "Quibzip.exe": a program that starts and ends.
int main() { return 0; }
