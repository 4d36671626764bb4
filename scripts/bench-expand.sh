#!/usr/bin/env bash
# Compares whole-process template expansion on one 16 MB page (one tag per kilobyte, 1000
# names): this project's bench/orvane_expand_file, `orvane-make page` on a project file (.PT)
# holding the same page, a Perl one-liner and mustache.js.
# Prints throughput, peak memory and the ratios. Build first (scripts/build.sh).
# ORVANE_BUILD_DIR: build folder (default build/); BENCH_RUNS: runs per tool, best counts.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORVANE_BUILD_DIR:-$root/build}"
runs="${BENCH_RUNS:-5}"
tool="$build/bench/orvane_expand_file"
make_tool="$build/cli/orvane-make"
node_dir="${ORVANE_BENCH_NODE_DIR:-/tmp/orvane-bench-node}"
for t in "$tool" "$make_tool"; do
    [ -x "$t" ] || { echo "missing $t: build first" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }
if [ ! -d "$node_dir/node_modules/mustache" ]; then
    mkdir -p "$node_dir"
    npm install --prefix "$node_dir" --no-audit --no-fund --silent mustache >/dev/null
fi

work="$(mktemp -d /tmp/orvane-bench-expand.XXXXXX)"
trap 'rm -rf "$work"' EXIT

# Lines of 64 bytes and an LF; every 16th line has a tag naming one of 1000 values after
# its first 44 bytes, so that all three tools write the same page.
perl -e '
    my $text = "<p>Lorem ipsum dolor sit amet, consectetur adipiscing elit.</p>";
    open my $orv, ">", "$ARGV[0]/page.tpl" or die;
    open my $mus, ">", "$ARGV[0]/page.mustache" or die;
    open my $val, ">", "$ARGV[0]/values.tsv" or die;
    print $val "n$_\tvalue $_\n" for 0 .. 999;
    for (my ($line, $size) = (0, 0); $size < 16 << 20; ++$line, $size += 65) {
        if ($line % 16) { print $orv "$text\n"; print $mus "$text\n"; next; }
        my $n = "n" . ($line / 16 % 1000);
        for ([$orv, "<#p name=$n>"], [$mus, "{{{$n}}}"]) {
            my ($fh, $tag) = @$_;
            print $fh substr($text, 0, 44), $tag, "\n";
        }
    }' "$work"
# The same page as the only template of a project with one one-line item per name (code page
# 932, CR LF, the template as Base64 of its UTF-8 bytes), and the values as JSON.
perl -MMIME::Base64 -e '
    my $dir = $ARGV[0];
    open my $tpl, "<:raw", "$dir/page.tpl" or die;
    my $page = do { local $/; <$tpl> };
    open my $pt, ">:raw", "$dir/page.PT" or die;
    print $pt "[InputItem]\r\nCount=1000\r\n\r\n";
    for my $i (0 .. 999) {
        print $pt "[InputItem$i]\r\nName=n$i\r\nCaption=n$i\r\nInputType=0\r\nBlankValue=\r\n",
            "AllowHtmlTag=0\r\nMaxLength=0\r\nRequired=0\r\nNumbersOnly=0\r\n\r\n";
    }
    print $pt "[HtmlTemplate]\r\nCount=1\r\n\r\n[HtmlTemplate_0]\r\nName=page\r\n",
        "CharCode=0\r\nHtml=", encode_base64($page, ""), "\r\n\r\n";
    open my $json, ">", "$dir/values.json" or die;
    print $json "{", join(",", map { "\"n$_\": \"value $_\"" } 0 .. 999), "}\n";' "$work"
cat >"$work/render.js" <<'JS'
const fs = require("fs");
const Mustache = require(process.env.MUSTACHE_MODULE);
const [template, values, page] = process.argv.slice(2);
const view = {};
for (const line of fs.readFileSync(values, "utf8").split("\n")) {
    const tab = line.indexOf("\t");
    if (tab > 0) view[line.slice(0, tab)] = line.slice(tab + 1);
}
fs.writeFileSync(page, Mustache.render(fs.readFileSync(template, "utf8"), view));
JS
export MUSTACHE_MODULE="$node_dir/node_modules/mustache"
export VALUES="$work/values.tsv"

# measure NAME TEMPLATE OUTPUT COMMAND...: best wall time of $runs runs and its peak RSS.
measure() {
    local name="$1" template="$2" output="$3"
    shift 3
    local best="" best_rss="" i start end rss
    for ((i = 0; i < runs; ++i)); do
        start=$(date +%s.%N)
        /usr/bin/time -v -o "$work/time.txt" "$@" >"$output"
        end=$(date +%s.%N)
        rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
        if [ -z "$best" ] || [ "$(echo "$end - $start < $best" | bc -l)" = 1 ]; then
            best=$(echo "$end - $start" | bc -l)
            best_rss=$rss
        fi
    done
    local bytes
    bytes=$(stat -c %s "$template")
    eval "${name}_mbs=$(echo "$bytes / 1048576 / $best" | bc -l)"
    eval "${name}_rss=$best_rss"
    printf '%-10s %8.1f MB/s  %6.3f s  peak RSS %6.1f MB  (template %.1f MB)\n' "$name" \
        "$(echo "$bytes / 1048576 / $best" | bc -l)" "$best" \
        "$(echo "$best_rss / 1024" | bc -l)" "$(echo "$bytes / 1048576" | bc -l)"
}

# The tool writes its page itself; its stdout stays empty.
measure orvane "$work/page.tpl" /dev/null \
    "$tool" "$work/page.tpl" "$work/values.tsv" "$work/orvane.html"
# The real path: the project file is loaded, the values checked, the page written.
measure orvanemake "$work/page.tpl" /dev/null \
    "$make_tool" page "$work/page.PT" --template page --values "$work/values.json" \
    --out "$work/make"
measure perl "$work/page.tpl" "$work/perl.html" \
    perl -pe 'BEGIN { open my $f, "<", $ENV{VALUES} or die; while (<$f>) { chomp;
        my ($k, $v) = split /\t/, $_, 2; $v{$k} = $v } } s/<#p name=(\w+)>/$v{$1}/g' \
    "$work/page.tpl"
measure mustache "$work/page.mustache" /dev/null \
    node "$work/render.js" "$work/page.mustache" "$work/values.tsv" "$work/mustache.html"

# All three must have done the same work (this project writes CR LF line breaks).
tr -d '\r' <"$work/orvane.html" | cmp -s - "$work/perl.html" || echo "WARNING: pages differ (perl)"
tr -d '\r' <"$work/make/index.html" | cmp -s - "$work/perl.html" ||
    echo "WARNING: pages differ (orvane-make page, perl)"
cmp -s "$work/perl.html" "$work/mustache.html" || echo "WARNING: pages differ (mustache)"

template_kb=$(($(stat -c %s "$work/page.tpl") / 1024))
printf 'throughput orvane/perl %.2f, orvane/mustache %.2f (goal: orvane/perl >= 2)\n' \
    "$(echo "$orvane_mbs / $perl_mbs" | bc -l)" "$(echo "$orvane_mbs / $mustache_mbs" | bc -l)"
printf 'throughput orvane-make page/perl %.2f (whole process, project file loaded)\n' \
    "$(echo "$orvanemake_mbs / $perl_mbs" | bc -l)"
printf 'peak RSS / template size: orvane %.2f, perl %.2f, mustache %.2f (goal: orvane <= 4)\n' \
    "$(echo "$orvane_rss / $template_kb" | bc -l)" "$(echo "$perl_rss / $template_kb" | bc -l)" \
    "$(echo "$mustache_rss / $template_kb" | bc -l)"
printf 'peak RSS / template size: orvane-make page %.2f\n' \
    "$(echo "$orvanemake_rss / $template_kb" | bc -l)"
