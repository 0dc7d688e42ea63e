// The fake package and the fake uninstaller: small programs of ours that stand in
// for the product's real setup program and uninstaller in tests and the demo.
//
// What they do
//   Both read a script (below) and print what it says on standard output. Before
//   the script runs:
//   - the package, given "/D=<folder>" (the rest of the command line, as NSIS
//     reads it) or else "-instdir=<folder>", creates the folder with its parents
//     and puts there "Quibzip.exe" (a copy of qz_fake_product, which does nothing)
//     and "uninst.ep" (a copy of qz_fake_uninstaller), as a real package would;
//   - the uninstaller, given "_?=<folder>" (the rest of the command line), removes
//     "Quibzip.exe" and "uninst.ep" from that folder.
//
// Where the script comes from
//   The switch "-fakescript=<path>" anywhere on the command line (the package can
//   get it through InstCmd) or else the environment variable
//   QZ_FAKE_PACKAGE_SCRIPT (package) / QZ_FAKE_UNINSTALLER_SCRIPT (uninstaller).
//   No script, or one that cannot be read: print nothing, exit 0.
//
// Script format: UTF-8 text, one command per line; blank lines and lines starting
// with "#" are skipped; a command word, one blank, then its argument.
//   record <path>     write the command line received to <path>: on Windows the raw
//                     GetCommandLineW text in UTF-8, elsewhere every argument
//                     followed by "\n"
//   chunk <n> [<ms>]  from now on every write goes out in pieces of n bytes with a
//                     pause of ms milliseconds after each piece (0 = whole, the default)
//   line <text>       write <text> and "\n" (one write, or pieces as chunk says)
//   text <text>       write <text> without a line end
//   hex <hh hh ...>   write these bytes (blanks between them optional), e.g. text
//                     in code page 936: "hex D6D0 CEC4 0A"
//   sleep <ms>        pause
//   close             close standard output; the process goes on
//   exit <code>       end at once with this exit code (the end of the script: 0)
// In <text>: \n \r \t \\ and \xHH (any byte) are escapes; ${INSTDIR} is the
// install folder (package) or the _?= folder (uninstaller), ${SEP} the path separator.
// An unknown command ends the program with exit code 99.
#pragma once
#include <string>

namespace Fake {

enum class Role { Package, Uninstaller };

int ChildMain(int argc, char** argv, Role role);

// Runs a script; returns the exit code. Exposed for the fakes' own use only.
int RunScript(const std::string& script, const std::string& instDir, const std::string& received);

}  // namespace Fake
