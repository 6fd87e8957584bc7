#!/usr/bin/env bash
# valmora-cli's "stampa" writes the monthly summary as a PDF whose text a real PDF reader finds.
# Usage: stampa-pdf.sh VALMORA_CLI
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cat > script.vcli <<'VCLI'
nuovo Conto.dbf
accredito 05/01/2026 1000 Stipendio "Stipendio di gennaio"
prelievo 10/01/2026 50 Sportello "Pranzo però"
fuoriconto 12/02/2026 50 Uscite "Regalo"
stampa riepilogo.pdf
esci
VCLI
"$cli" --oggi 20/03/2026 script.vcli > out.txt
test -s riepilogo.pdf || { echo "no PDF written"; cat out.txt; exit 1; }
pdftotext -layout riepilogo.pdf text.txt
fail=0
for want in "Gennaio" "Febbraio" "Pranzo però" "Stipendio di gennaio" "Fuori Conto:" "-50,00 €" "Utile:" "N° Operazioni:" "Saldo:"; do
    if ! grep -qF -- "$want" text.txt; then
        echo "missing from the PDF: $want"
        fail=1
    fi
done
if [ $fail -ne 0 ]; then
    cat text.txt
    exit 1
fi
echo "PDF text checked"
