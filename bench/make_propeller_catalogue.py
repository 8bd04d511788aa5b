# Writes the benches' 10,000-record propeller catalogue (Windows-1252, CR LF) to the path given;
# every record names the supplied picture « Hélice bipale 100 mm.jpg ».
import sys

rows = []
for i in range(10000):
    rows.append('"Hélice bipale 100 mm",%d,%d.5,"Fournitures Aéro, École",REF-%d,%d.20,%d,%d,"%s"'
                % (80 + i % 200, 3 + i % 12, 100000 + i, 1 + i % 9, 10 + i % 40, 2 + i % 2,
                   "no"[i % 2]))
open(sys.argv[1], "wb").write(("\r\n".join(rows) + "\r\n").encode("cp1252"))
