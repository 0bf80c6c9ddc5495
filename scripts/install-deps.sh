#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with, when any is missing.
set -euo pipefail

packages=(
    g++ make cmake            # compiler and build
    ccache                    # every build compiles through it when it is installed (CI: the builds share it)
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
    man-db                    # CI reads the installed manual pages with man
    locales                   # the window tests run a second time under ru_RU.UTF-8, the users' locale
    texlive-latex-base texlive-latex-recommended texlive-lang-cyrillic cm-super-minimal
                              # pdflatex with T2A Cyrillic: CI compiles the LaTeX reports
    chromium poppler-utils    # CI prints HTML reports to PDF and reads the PDFs' text (pdftotext)
)

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi

# The users' locale, for the window tests under it; made once when the system lacks it.
make_russian_locale() {
    if locale -a 2>/dev/null | grep -qiE '^ru_RU\.utf-?8$'; then
        return 0
    fi
    echo "Generating the locale ru_RU.UTF-8"
    "${sudo[@]}" localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
}

missing=()
for p in "${packages[@]}"; do
    [[ $p == \#* ]] && continue
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if ((${#missing[@]} == 0)); then
    make_russian_locale
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
make_russian_locale
