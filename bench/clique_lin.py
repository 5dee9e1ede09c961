#!/usr/bin/env python3
# Writes a .lin file of K statements connected to each other in both directions, with an
# exception on one connection and a warrant stated, as the Clique benchmarks build them.
# Usage: bench/clique_lin.py K > cliqueK.lin
import sys
k=int(sys.argv[1]); out=[]
t=lambda i: '!' if i==0 else '?'
for i in range(k):
  for j in range(k):
    if i==j: continue
    out += ['CONCLUSION','  %s: s%d'%(t(j),j),'REASON','  %s: s%d'%(t(i),i),'']
out += ['EXCEPTION','  !: x','CONCLUSION','  !: s1'.replace('!','?'),'REASON','  !: s0','']
out += ['STATEMENT','  !: (IF s1, THEN s2)','']
sys.stdout.write('\r\n'.join(out)+'\r\n')
