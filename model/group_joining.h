#ifndef QUILTRA_MODEL_GROUP_JOINING_H
#define QUILTRA_MODEL_GROUP_JOINING_H

// Joining pieces on the board: what happens when pieces are put down, and when the player
// turns joining on or off.

// Off breaks every group; on joins the loose pieces that already sit together exactly.
void SetJoining(bool joining);

// Every loose piece counts as put down where it lies: it joins each side neighbour that sits
// exactly beside it, and only those.
void JoinLooseNeighbours();

// The pieces and groups of the table's range [from, to) have just been put down loose. Each
// in turn that lies within the home test's tolerance of its place beside a loose side
// neighbour of another group moves by that little to sit exactly there and joins it,
// together with every other neighbour then sitting exactly beside it. Joining off, nothing.
void JoinPutDown(int from, int to);

#endif
