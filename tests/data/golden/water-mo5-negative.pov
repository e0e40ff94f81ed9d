#declare positive = texture { pigment {color rgb <1,0,0> } }
#declare negative = texture { pigment  {color rgb <0,0,1> } }
#declare Atom0 = color rgb<1,1,1>;
#declare Atom1 = color rgb<.3,.3,.3>;
#declare Atom2 = color rgb<0,0,1>;
#declare Atom3 = color rgb<1,0,0>;
#declare BondFinish = finish {}
#declare mo = union {}
camera { location <0,0,0>
look_at <0,0,10> }
light_source { <0,0,0> color rgb<0.5,0.5,0.5> }
light_source { <20,10,-10> color rgb 1 }
object { mo translate <0,0,30> }
