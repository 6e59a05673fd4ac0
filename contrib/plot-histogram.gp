# Plots a talvo histogram file: boxes at the bin centres, one per bin.
# The file's two heading lines are gnuplot comments, so it is read as it is.
#
#   gnuplot -e "file='hist.txt'" contrib/plot-histogram.gp            -> hist.txt.png
#   gnuplot -e "file='hist.txt'; out='hist.svg'" contrib/plot-histogram.gp
if (!exists("file")) file = 'hist.txt'
if (!exists("out")) out = file . '.png'
if (strlen(out) > 4 && out[strlen(out)-3:] eq '.svg') {
    set terminal svg size 800,500 dynamic
} else {
    set terminal pngcairo size 800,500
}
set output out
set title file noenhanced
set xlabel 'bin centre'
set ylabel 'count'
set style fill solid 0.5 border -1
set boxwidth 1.0 relative
set yrange [0:*]
unset key
plot file using 1:2 with boxes
