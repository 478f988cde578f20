#!/usr/bin/env bash
# Writes the texts below and has the word processor of Debian's LibreOffice save each as RTF,
# for the reader tests (tests/strings/RtfReaderTest.cpp). Each <name>.rtf is read back and
# compared with <name>.txt (UTF-8, without its final line feed). Needs soffice:
#   apt-get install --no-install-recommends libreoffice-writer-nogui
# It is not one of the build's packages: the fixtures are committed.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

text() { printf '%s\n' "$2" > "$here/$1.txt"; }

text chinese '简体中文：汉字测试，龘龍鼎。繁體中文：測試資料。'
text japanese '日本語のテキスト、ひらがなとカタカナ。半角ｶﾀｶﾅ。'
text korean '한국어 텍스트입니다. 안녕하세요!'
text arabic 'مرحبا بالعالم، هذا نص عربي.'
text hebrew 'שלום עולם, זהו טקסט בעברית.'
text thai 'ภาษาไทย สวัสดีครับ ขอบคุณ'
text cyrillic 'Съешь же ещё этих мягких французских булок, да выпей чаю.'
text greek 'Ελληνικά: Γειά σου Κόσμε, ξεσκεπάζω την ψυχοφθόρα βδελυγμία.'
text latin 'Grüße aus Köln; Ça va? Ñandú, Łódź, Dvořák, Øresund, façade — “quoted” 5 €.'
printf '%s\n' 'First line of a note' 'second line {with braces} and a back\slash' \
    > "$here/lines.txt"

# A page with several scripts in one paragraph, formatting and a link, then a second
# paragraph: what is pasted from a document.
cat > "$work/mixed.html" <<'HTML'
<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Mixed scripts</title></head><body>
<p>English <b>中文</b> <i>日本語</i> 한국어 <a href="https://example.org/">العربية</a> עברית ไทย Русский Ελληνικά</p>
<p>Zweiter Absatz: Größe 10 × 20</p>
</body></html>
HTML
printf '%s\n' 'English 中文 日本語 한국어 العربية עברית ไทย Русский Ελληνικά' \
    'Zweiter Absatz: Größe 10 × 20' > "$here/mixed.txt"

inputs=()
for txt in "$here"/*.txt; do
    name="$(basename "$txt" .txt)"
    [[ "$name" == mixed ]] && continue
    cp "$txt" "$work/$name.txt"
    inputs+=("$work/$name.txt")
done
profile="-env:UserInstallation=file://$work/profile"
soffice "$profile" --headless --infilter="Text (encoded):UTF8" \
    --convert-to "rtf:Rich Text Format" --outdir "$here" "${inputs[@]}"
soffice "$profile" --headless --convert-to "rtf:Rich Text Format" --outdir "$here" \
    "$work/mixed.html"
