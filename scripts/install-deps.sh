#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with, when any is missing.
set -euo pipefail

packages=(
    g++ make cmake            # compiler and build
    libgtest-dev              # GoogleTest for the test suite
    qt6-base-dev              # Qt 6 Widgets for the desktop program
    qt6-translations-l10n     # Qt's own dialog texts in Russian
    libglpk-dev               # GLPK reads LP, MPS and MathProg models
    glpk-utils                # glpsol: the reference optimum in the model tests and bench/vs_glpsol.sh
    python3                   # runs the conformance cases
    clang                     # libFuzzer for the fuzz targets
    clang-format clang-tidy   # style and static checks
    valgrind                  # memory checks of the command-line tool
    libgmp-dev                # exact rationals (gmpxx) for the exact arithmetic of the engine
    dpkg-dev file             # make package: dpkg-shlibdeps finds the package's dependencies
    desktop-file-utils        # CI validates the installed desktop entry
    texlive-latex-base texlive-latex-recommended texlive-lang-cyrillic cm-super-minimal
                              # pdflatex with T2A Cyrillic: CI compiles the LaTeX reports
)

missing=()
for p in "${packages[@]}"; do
    [[ $p == \#* ]] && continue
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
echo "Installing missing packages: ${missing[*]}"
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
